// A power back-end that only records what it was asked, so tests never reach the machine's power.
#pragma once

#include "platform/win/power.h"

#include <vector>

class RecordingBackend : public win::PowerBackend {
public:
    explicit RecordingBackend(std::vector<win::PowerRequest>& log) : m_log(log) {}
    bool Perform(win::PowerRequest request) override
    {
        m_log.push_back(request);
        return true;
    }

private:
    std::vector<win::PowerRequest>& m_log;
};
