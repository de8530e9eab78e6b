// Identifiers of the frame-rate dialog's and the About box's templates, controls and icon.
#pragma once

constexpr unsigned IDD_OUTPUT = 107;
constexpr int IDC_FPS = 1006;
constexpr int IDC_FPS_LABEL = 1021;

constexpr unsigned IDD_ABOUTBOX = 40001;
constexpr int IDC_VERSION = 42070;
constexpr int IDC_LINK = 42031;
constexpr int IDC_APP_ICON = 42149;
constexpr unsigned IDI_ABOUT_OK = 41001;
