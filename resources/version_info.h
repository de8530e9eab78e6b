// The program's version record, laid out as a version resource block (the fixed file
// information at byte offset 40).
#pragma once

#include "platform/win/module.h"

#include <span>

std::span<const BYTE> VersionResourceBlock();
