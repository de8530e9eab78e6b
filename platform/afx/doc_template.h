// Document templates: which document, frame and view classes belong together, and the single-
// document template that creates the one document with its frame and view.
#pragma once

#include "platform/afx/ccmdtarget.h"

#include <vector>

class CDocument;
class CFrameWnd;

class CDocTemplate : public CCmdTarget {
public:
    // The string resource nIDResource holds the template's texts separated by '\n'.
    enum DocStringIndex { windowTitle, docName, fileNewName, filterName, filterExt, regFileTypeId, regFileTypeName };

    CDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass,
                 const CRuntimeClass* pViewClass);
    // Closes the documents still open.
    ~CDocTemplate() override;
    CDocTemplate(const CDocTemplate&) = delete;
    CDocTemplate& operator=(const CDocTemplate&) = delete;

    // With no path: a new document in a new (or, for a single document, its reused) frame.
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);
    const std::vector<CDocument*>& GetDocuments() const { return m_documents; }

    CDocument* CreateNewDocument();
    // Null when the frame or its view could not be created.
    CFrameWnd* CreateNewFrame(CDocument* pDoc);
    void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);

    // Asks each document whether it may close; FALSE as soon as one refuses.
    BOOL SaveAllModified();
    void CloseAllDocuments(BOOL bEndSession);

    UINT GetResourceId() const { return m_nIDResource; }

protected:
    UINT m_nIDResource;
    const CRuntimeClass* m_pDocClass;
    const CRuntimeClass* m_pFrameClass;
    const CRuntimeClass* m_pViewClass;
    std::vector<CDocument*> m_documents;
};

class CSingleDocTemplate : public CDocTemplate {
public:
    using CDocTemplate::CDocTemplate;

    CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
};
