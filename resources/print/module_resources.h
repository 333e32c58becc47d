// What the shared contract needs to know of this module's resources.
#pragma once
#define QX_MODULE_NAME "print"
#define QX_MODULE_FILE "print.kzp"
#define QX_IDS_DESCRIPTION 4
#define QX_IDI_MODULE 9
#define QX_ABOUT_TITLE "QX Print"
