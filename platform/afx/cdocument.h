// The document of the document/view architecture: shared state of its views, a modified flag and
// the question asked before its frame closes. Documents here are never written to files.
#pragma once

#include "platform/afx/ccmdtarget.h"

#include <vector>

class CDocTemplate;
class CFrameWnd;
class CView;

class CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)

public:
    CDocument();
    ~CDocument() override;
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;

    BOOL IsModified() const { return m_bModified; }
    void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified ? TRUE : FALSE; }

    // Asked before the document's frame closes or the application ends: TRUE lets it close. With
    // nothing to save, the base always allows it.
    virtual BOOL SaveModified();
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
    virtual BOOL OnNewDocument();
    // Destroys the document's frames, then the document when the template owns it.
    virtual void OnCloseDocument();

    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCTSTR lpszTitle);

    void AddView(CView* pView);
    void RemoveView(CView* pView);
    const std::vector<CView*>& GetViews() const { return m_views; }

    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    BOOL m_bAutoDelete = TRUE;
    CDocTemplate* m_pDocTemplate = nullptr;

    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bModified = FALSE;
    CString m_strTitle;
    std::vector<CView*> m_views;
};
