// Identifiers of the clip-and-resize dialog's template and controls.
#pragma once

constexpr unsigned IDD_CLIP_RESIZE = 40015;

constexpr int IDC_CLIP_GROUP = 42085;
constexpr int IDC_SIZE_INFO = 42084;
constexpr int IDC_LABEL_TOP = 42088;
constexpr int IDC_LABEL_LEFT = 42091;
constexpr int IDC_LABEL_RIGHT = 42097;
constexpr int IDC_LABEL_BOTTOM = 42099;
constexpr int IDC_RESIZE_GROUP = 42100;
constexpr int IDC_LABEL_PIXEL = 42102;

constexpr int IDC_CLIP_TOP = 42145;
constexpr int IDC_CLIP_LEFT = 42034;
constexpr int IDC_CLIP_RIGHT = 42026;
constexpr int IDC_CLIP_BOTTOM = 42010;
constexpr int IDC_OUT_WIDTH = 42095;
constexpr int IDC_OUT_HEIGHT = 42101;

constexpr int IDC_SPIN_TOP = 42050;
constexpr int IDC_SPIN_LEFT = 42146;
constexpr int IDC_SPIN_RIGHT = 42061;
constexpr int IDC_SPIN_BOTTOM = 42077;
constexpr int IDC_SPIN_WIDTH = 42106;
constexpr int IDC_SPIN_HEIGHT = 42111;

constexpr int IDC_PRESET_640x480 = 42126;
constexpr int IDC_PRESET_640x360 = 42133;
constexpr int IDC_PRESET_512x288 = 42131;
constexpr int IDC_PRESET_480x360 = 42132;
constexpr int IDC_PRESET_320x240 = 42135;
constexpr int IDC_PRESET_176x144 = 42137;
constexpr int IDC_PRESET_160x120 = 42134;
constexpr int IDC_PRESET_720x480 = 42136;

constexpr int IDC_CLEAR = 42083;
