// A stand-in for the player view: a window that records the commands the modeless windows send
// it and may act on them (for example delete the sender) from inside the send.
#pragma once

#include "platform/afx/cwnd.h"
#include "tests/support/qt_app.h"

#include <functional>
#include <map>
#include <vector>

// The command ids the player view hands the two windows.
constexpr UINT kViewerClosedCmd = 61449;
constexpr UINT kResizeDoneCmd = 61452;
constexpr UINT kDisplayCmd = 61454;

class CommandRecorder : public CWnd {
public:
    CommandRecorder()
    {
        TestApp();
        CreateEx(0, AfxRegisterWndClass(0), u"owner", WS_POPUP, 0, 0, 20, 20, nullptr, 0);
    }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        const UINT id = LOWORD(wParam);
        commands.push_back(id);
        secondParameters.push_back(lParam);
        if (auto it = actions.find(id); it != actions.end())
            it->second();
        return TRUE;
    }

    void Clear()
    {
        commands.clear();
        secondParameters.clear();
    }

    size_t Count(UINT id) const
    {
        size_t n = 0;
        for (UINT c : commands)
            n += c == id ? 1 : 0;
        return n;
    }

    std::vector<UINT> commands;
    std::vector<LPARAM> secondParameters;
    std::map<UINT, std::function<void()>> actions;
};
