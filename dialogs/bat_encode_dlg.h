// A batch of project files handed one after the other to the owner window, which encodes each
// while the dialog waits; at the end of a batch that was not stopped, the chosen end action.
// The dialog can wait in the notification area while the batch runs.
#pragma once

#include "ui/base_dialog.h"
#include "ui/drag_list_box_ex.h"

#include <array>

// Values of the end-action rows: nothing, shut down, suspend, hibernate, quit the program.
inline constexpr std::array kBatchEndValues = {-5, 1, -2, -1, -5};
constexpr int kBatchEndExitRow = 4;

enum class BatchEndKind { Nothing, Power, ExitProgram };
struct BatchEnd {
    BatchEndKind kind = BatchEndKind::Nothing;
    int powerAction = 0; // for PowerAction when kind is Power
};
// What ends a finished batch for the chosen row (a row that is none of the list's does nothing).
BatchEnd BatchEndOf(int row);

class CBatEncodeDlg : public CBaseDialog {
public:
    // Each project's full path goes to the owner with encodeMessage (WPARAM the path, valid
    // during the call), and "Bat Stop" sends it stopMessage.
    CBatEncodeDlg(CWnd* pOwner, UINT encodeMessage, UINT stopMessage);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL IsRunning() const { return m_bRunning; }
    CDragListBoxEx& ProjectList() { return m_list; }

    DECLARE_MESSAGE_MAP()

public:
    void OnBatStart();
    void OnBatStop();
    void OnFileDelete();
    void OnFileAdd();
    void OnTaskTray();
    void OnTimer(UINT_PTR nIDEvent);
    void OnClose();
    LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);

private:
    void EnableForRun(BOOL running);
    void RunEndAction();

    CDragListBoxEx m_list;
    int m_nStop = 0;
    UINT m_nEncodeMessage;
    UINT m_nStopMessage;
    BOOL m_bRunning = FALSE;
    BOOL m_bClosed = FALSE;
};
