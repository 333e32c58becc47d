// What the shared contract needs to know of this module's resources.
#pragma once
#define QX_MODULE_NAME "email"
#define QX_MODULE_FILE "email.kzp"
#define QX_IDS_DESCRIPTION 4
#define QX_IDI_MODULE 13
#define QX_ABOUT_TITLE "QX E-mail"
