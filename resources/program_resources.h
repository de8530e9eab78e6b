// The program's resources as one provider for the platform; main() and the test environment
// install it before anything reads a string, a dialog template, an icon or the version record.
#pragma once

#include "platform/win/resource_provider.h"

const ResourceProvider& ProgramResources();
