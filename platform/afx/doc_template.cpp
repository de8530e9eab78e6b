#include "platform/afx/doc_template.h"

#include "platform/afx/cdocument.h"
#include "platform/afx/cframewnd.h"
#include "platform/afx/cwinapp.h"

#include <algorithm>

CDocTemplate::CDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass,
                           const CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass)
{
}

CDocTemplate::~CDocTemplate() { CloseAllDocuments(TRUE); }

void CDocTemplate::AddDocument(CDocument* pDoc)
{
    if (std::ranges::find(m_documents, pDoc) == m_documents.end())
        m_documents.push_back(pDoc);
    pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc)
{
    std::erase(m_documents, pDoc);
    if (pDoc->m_pDocTemplate == this)
        pDoc->m_pDocTemplate = nullptr;
}

CDocument* CDocTemplate::CreateNewDocument()
{
    CObject* object = m_pDocClass ? m_pDocClass->CreateObject() : nullptr;
    auto* doc = dynamic_cast<CDocument*>(object);
    if (!doc) {
        delete object;
        return nullptr;
    }
    AddDocument(doc);
    return doc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc)
{
    CObject* object = m_pFrameClass ? m_pFrameClass->CreateObject() : nullptr;
    auto* frame = dynamic_cast<CFrameWnd*>(object);
    if (!frame) {
        delete object;
        return nullptr;
    }
    CCreateContext context;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewDocTemplate = this;
    if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context)) {
        if (IsWindow(frame->m_hWnd))
            frame->DestroyWindow();
        delete frame;
        return nullptr;
    }
    frame->m_bAutoDelete = TRUE;
    return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

BOOL CDocTemplate::SaveAllModified()
{
    const std::vector<CDocument*> documents = m_documents;
    for (CDocument* doc : documents)
        if (!doc->SaveModified())
            return FALSE;
    return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL)
{
    while (!m_documents.empty()) {
        CDocument* doc = m_documents.back();
        doc->OnCloseDocument();
        // A document that does not delete itself is let go of here.
        if (!m_documents.empty() && m_documents.back() == doc)
            RemoveDocument(doc);
    }
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCTSTR, BOOL bMakeVisible)
{
    // Documents here hold no file: every request is a new document.
    if (!m_documents.empty()) {
        CDocument* doc = m_documents.front();
        if (!doc->SaveModified())
            return nullptr;
        return doc->OnNewDocument() ? doc : nullptr;
    }
    CDocument* doc = CreateNewDocument();
    if (!doc)
        return nullptr;
    CFrameWnd* frame = CreateNewFrame(doc);
    if (!frame) {
        RemoveDocument(doc);
        delete doc;
        return nullptr;
    }
    CWinApp* app = AfxGetApp();
    if (app && !app->m_pMainWnd)
        app->m_pMainWnd = frame;
    if (!doc->OnNewDocument()) {
        doc->OnCloseDocument();
        return nullptr;
    }
    InitialUpdateFrame(frame, doc, bMakeVisible);
    return doc;
}
