// What the shared contract needs to know of this module's resources.
#pragma once
#define QX_MODULE_NAME "swiftpage"
#define QX_MODULE_FILE "swiftpage.kzp"
#define QX_IDS_DESCRIPTION 10
#define QX_IDI_MODULE 10
#define QX_ABOUT_TITLE "QX Swiftpage"
