// A power back-end that only records what it was asked, so tests never reach the machine's power.
#pragma once

#include "platform/win/power.h"

#include <vector>

class RecordingBackend : public PowerBackend {
public:
    explicit RecordingBackend(std::vector<PowerRequest>& log) : m_log(log) {}
    bool Perform(PowerRequest request) override
    {
        m_log.push_back(request);
        return true;
    }

private:
    std::vector<PowerRequest>& m_log;
};
