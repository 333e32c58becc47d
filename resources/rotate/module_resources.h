// What the shared contract needs to know of this module's resources.
#pragma once
#define QX_MODULE_NAME "rotate"
#define QX_MODULE_FILE "rotate.kzp"
#define QX_IDS_DESCRIPTION 10
#define QX_IDI_MODULE 22
#define QX_ABOUT_TITLE "QX Rotate"
