// The error numbers that the frame pipeline and the writers report; 0 is success. Each has its
// message in GetErrorMessage (foundation/error_message.h).
#pragma once

constexpr int ERROR_NONE = 0;
// The user cancelled a dialog: nothing to show.
constexpr int ERROR_CANCELLED = -2;

// The frame pipeline.
constexpr int kErrorOutOfMemory = 501; // an output frame or silence block, or a resize
constexpr int kErrorPictureLoad = 601; // an image of a listed folder does not load
constexpr int kErrorNoInputFolder = 602; // Play before a folder was chosen
constexpr int kErrorOutputIsInput = 604; // an output path names one of the listed images
constexpr int kErrorOutputsSamePath = 605; // the AVI and WMV outputs name one file
constexpr int kErrorFrameRate = 606; // a frame rate no writer takes
constexpr int kErrorFirstPictureLoad = 701; // the first image of a newly listed folder

// The WMV writer's audio input.
constexpr int kErrorWmaStreamWrite = 809;
constexpr int kErrorWmaTwoPassStart = 810;
constexpr int kErrorWmaFirstPassEnd = 813;
constexpr int kErrorWmaNeedsTwoPasses = 814;

// The AVI writer.
constexpr int kErrorAviAudioConverter = 911;
constexpr int kErrorAviFileOpen = 2001;
constexpr int kErrorAviCreateStream = 2003;
constexpr int kErrorAviCompressedStream = 2004;
constexpr int kErrorAviSetFormat = 2005;
constexpr int kErrorAviStreamWrite = 2006;
constexpr int kErrorAviAudioWrite = 2115;
constexpr int kErrorAviSequenceStart = 2201;
constexpr int kErrorAviCompressFrame = 2202;

// The WMV writer.
constexpr int kErrorWmvSystemProfile = 3001; // the version or index has no system profile
constexpr int kErrorWmvOutput = 3002;
constexpr int kErrorWmvHeader = 3003;
constexpr int kErrorWmvProfileFile = 3004;
constexpr int kErrorWmvTwoPassStart = 3005;
constexpr int kErrorWmvFirstPassEnd = 3007;
constexpr int kErrorWmvStreamWrite = 3008;
