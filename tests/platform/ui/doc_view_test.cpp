#include "platform/afx/cdocument.h"
#include "platform/afx/cframewnd.h"
#include "platform/afx/cview.h"
#include "platform/afx/cwinapp.h"
#include "platform/afx/doc_template.h"
#include "platform/afx/window_host.h"
#include "tests/support/qt_app.h"

#include <QMainWindow>

#include <gtest/gtest.h>

#include <array>
#include <vector>

// The document/view/frame/application chain on a real frame window.
namespace {

constexpr UINT ID_VIEW_AND_DOC = 41001, ID_DOC_ONLY = 41002, ID_FRAME_ONLY = 41003, ID_APP_ONLY = 41004,
               ID_NOBODY = 41005, ID_GATED = 41006, ID_RADIO = 41007, ID_UPDATE_ONLY = 41008;

std::vector<const char*> g_log;
bool g_gateOpen = false;
bool g_allowClose = true;
int g_saveModifiedAsked = 0;
int g_documentsAlive = 0;
int g_viewsAlive = 0;

class TestDoc : public CDocument {
    DECLARE_DYNCREATE(TestDoc)

public:
    TestDoc() { ++g_documentsAlive; }
    ~TestDoc() override { --g_documentsAlive; }
    BOOL SaveModified() override
    {
        ++g_saveModifiedAsked;
        return g_allowClose;
    }
    void OnViewAndDoc() { g_log.push_back("doc"); }
    void OnDocOnly() { g_log.push_back("doc"); }
    void OnGated() { g_log.push_back("gated"); }
    void OnUpdateGated(CCmdUI* ui) { ui->Enable(g_gateOpen); }
    void OnUpdateRadio(CCmdUI* ui) { ui->SetRadio(TRUE); }
    void OnUpdateUpdateOnly(CCmdUI* ui) { ui->SetCheck(1); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(TestDoc, CDocument)
BEGIN_MESSAGE_MAP(TestDoc, CDocument)
    ON_COMMAND(ID_VIEW_AND_DOC, OnViewAndDoc)
    ON_COMMAND(ID_DOC_ONLY, OnDocOnly)
    ON_COMMAND(ID_GATED, OnGated)
    ON_UPDATE_COMMAND_UI(ID_GATED, OnUpdateGated)
    ON_UPDATE_COMMAND_UI(ID_RADIO, OnUpdateRadio)
    ON_UPDATE_COMMAND_UI(ID_UPDATE_ONLY, OnUpdateUpdateOnly)
END_MESSAGE_MAP()

class TestView : public CView {
    DECLARE_DYNCREATE(TestView)

public:
    TestView() { ++g_viewsAlive; }
    ~TestView() override { --g_viewsAlive; }
    void OnDraw(CDC*) override {}
    void OnViewAndDoc() { g_log.push_back("view"); }
    int OnCreate(LPCREATESTRUCT cs)
    {
        documentKnownAtCreate = GetDocument() != nullptr;
        return CView::OnCreate(cs);
    }
    bool documentKnownAtCreate = false;
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(TestView, CView)
BEGIN_MESSAGE_MAP(TestView, CView)
    ON_WM_CREATE()
    ON_COMMAND(ID_VIEW_AND_DOC, OnViewAndDoc)
END_MESSAGE_MAP()

class TestFrame : public CFrameWnd {
    DECLARE_DYNCREATE(TestFrame)

public:
    void OnFrameOnly() { g_log.push_back("frame"); }
    void OnDocOnly() { g_log.push_back("frame"); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(TestFrame, CFrameWnd)
BEGIN_MESSAGE_MAP(TestFrame, CFrameWnd)
    ON_COMMAND(ID_FRAME_ONLY, OnFrameOnly)
    ON_COMMAND(ID_DOC_ONLY, OnDocOnly)
END_MESSAGE_MAP()

class TestApplication : public CWinApp {
public:
    void OnAppOnly() { g_log.push_back("app"); }
    void OnFrameOnly() { g_log.push_back("app"); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(TestApplication, CWinApp)
    ON_COMMAND(ID_APP_ONLY, OnAppOnly)
    ON_COMMAND(ID_FRAME_ONLY, OnFrameOnly)
END_MESSAGE_MAP()

class DocViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestApp();
        g_log.clear();
        g_gateOpen = false;
        g_allowClose = true;
        g_saveModifiedAsked = 0;
        app.AddDocTemplate(
            new CSingleDocTemplate(0, RUNTIME_CLASS(TestDoc), RUNTIME_CLASS(TestFrame), RUNTIME_CLASS(TestView)));
        CCommandLineInfo info;
        app.ParseCommandLine(info);
        ASSERT_TRUE(app.ProcessShellCommand(info));
        frame = dynamic_cast<TestFrame*>(app.m_pMainWnd);
        ASSERT_NE(frame, nullptr);
    }
    void TearDown() override
    {
        g_allowClose = true;
        if (app.m_pMainWnd)
            app.m_pMainWnd->SendMessage(WM_CLOSE);
        ProcessEvents();
        TakeQuitMessage(nullptr);
    }

    TestApplication app;
    TestFrame* frame = nullptr;
};

TEST_F(DocViewTest, TheTemplateMakesOneDocumentWithItsFrameAndView)
{
    auto* view = dynamic_cast<TestView*>(frame->GetActiveView());
    ASSERT_NE(view, nullptr);
    auto* doc = dynamic_cast<TestDoc*>(frame->GetActiveDocument());
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(view->GetDocument(), doc);
    EXPECT_TRUE(view->documentKnownAtCreate);
    EXPECT_EQ(view->GetParentFrame(), frame);
    ASSERT_EQ(app.GetDocTemplates().size(), 1u);
    EXPECT_EQ(app.GetDocTemplates()[0]->GetDocuments().size(), 1u);
    // The view fills the frame's client area.
    auto* host = dynamic_cast<QMainWindow*>(WindowRecord::From(frame->m_hWnd)->widget.data());
    ASSERT_NE(host, nullptr);
    EXPECT_EQ(host->centralWidget(), WindowRecord::From(view->m_hWnd)->widget.data());
}

TEST_F(DocViewTest, CommandsGoToTheFirstOfViewDocumentFrameAndApplication)
{
    const std::array cases = {
        std::pair{ID_VIEW_AND_DOC, "view"},
        std::pair{ID_DOC_ONLY, "doc"},
        std::pair{ID_FRAME_ONLY, "frame"},
        std::pair{ID_APP_ONLY, "app"},
    };
    for (const auto& [id, expected] : cases) {
        g_log.clear();
        frame->SendMessage(WM_COMMAND, id, 0);
        ASSERT_EQ(g_log.size(), 1u) << id;
        EXPECT_STREQ(g_log[0], expected) << id;
    }
}

TEST_F(DocViewTest, CommandStateFollowsTheUpdateHandlersOrWhetherAnyoneHandlesIt)
{
    struct Case {
        UINT id;
        bool gateOpen;
        BOOL enabled;
        int check;
        BOOL radio;
    };
    const std::array cases = {
        Case{ID_APP_ONLY, false, TRUE, 0, FALSE}, // handled, no update handler
        Case{ID_NOBODY, false, FALSE, 0, FALSE}, // nobody handles it
        Case{ID_GATED, false, FALSE, 0, FALSE}, // its update handler disables it
        Case{ID_GATED, true, TRUE, 0, FALSE},
        Case{ID_RADIO, false, TRUE, 1, TRUE}, // an update handler that leaves Enable alone
        Case{ID_UPDATE_ONLY, false, TRUE, 1, FALSE},
    };
    for (const Case& c : cases) {
        g_gateOpen = c.gateOpen;
        CCmdUI state;
        state.m_nID = c.id;
        frame->UpdateCommandState(state);
        EXPECT_EQ(state.m_bEnabled, c.enabled) << c.id;
        EXPECT_EQ(state.m_nCheck, c.check) << c.id;
        EXPECT_EQ(state.m_bRadio, c.radio) << c.id;
    }
}

TEST_F(DocViewTest, ADisabledCommandIsDroppedWhenItArrivesEvenIfItWasPostedWhileEnabled)
{
    g_gateOpen = true;
    frame->PostMessage(WM_COMMAND, ID_GATED, 0);
    g_gateOpen = false;
    ProcessEvents();
    EXPECT_TRUE(g_log.empty());
    g_gateOpen = true;
    frame->PostMessage(WM_COMMAND, ID_GATED, 0);
    ProcessEvents();
    ASSERT_EQ(g_log.size(), 1u);
    EXPECT_STREQ(g_log[0], "gated");
}

TEST_F(DocViewTest, ClosingIsRefusedWhileTheDocumentSaysSo)
{
    g_allowClose = false;
    const HWND handle = frame->m_hWnd;
    frame->SendMessage(WM_CLOSE);
    EXPECT_EQ(g_saveModifiedAsked, 1);
    EXPECT_TRUE(IsWindow(handle));
    EXPECT_EQ(app.m_pMainWnd, frame);
    EXPECT_FALSE(IsQuitMessagePosted());
}

TEST_F(DocViewTest, ClosingTheMainWindowDestroysFrameViewAndDocumentAndEndsTheLoop)
{
    const HWND handle = frame->m_hWnd;
    ASSERT_EQ(g_documentsAlive, 1);
    ASSERT_EQ(g_viewsAlive, 1);
    frame->SendMessage(WM_CLOSE);
    EXPECT_EQ(g_saveModifiedAsked, 1);
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_EQ(g_documentsAlive, 0);
    EXPECT_EQ(g_viewsAlive, 0);
    EXPECT_TRUE(app.GetDocTemplates()[0]->GetDocuments().empty());
    EXPECT_TRUE(IsQuitMessagePosted());
}

TEST_F(DocViewTest, TheIdleUpdateReachesTheFramesClients)
{
    struct Counter : CCommandUiClient {
        int updates = 0;
        void OnUpdateCmdUI(CFrameWnd*) override { ++updates; }
    } counter;
    frame->AddCommandUiClient(&counter);
    frame->ShowWindow(SW_SHOW);
    app.OnIdle(0);
    EXPECT_EQ(counter.updates, 1);
    frame->RemoveCommandUiClient(&counter);
    app.OnIdle(0);
    EXPECT_EQ(counter.updates, 1);
}

} // namespace
