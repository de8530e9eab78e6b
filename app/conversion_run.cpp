#include "app/conversion_run.h"

#include "app/output_paths.h"
#include "app/run_schedule.h"
#include "app/run_state.h"
#include "foundation/error_message.h"
#include "foundation/info.h"
#include "foundation/status_text.h"
#include "platform/afx/carray.h"

#include <cstring>

namespace {

constexpr int kAudioRate = 48000;
constexpr int kAudioChannels = 2;
constexpr int kAudioBits = 16;
constexpr int kProfileFile = 3;
constexpr DWORD kPauseSleepMs = 100;

} // namespace

CConversionRun::CConversionRun(RunView& view) : m_view(view) {}

void CConversionRun::SetState(RunState state)
{
    m_view.SetRunState(state);
    // Paused, stopped or ended: the frames read ahead are not wanted, nor their memory.
    if (state != RunState::Running)
        m_ahead.Drop();
}

const BITMAPINFOHEADER* CConversionRun::LoadFrame(const CStringArray& images, int index)
{
    if (index < 0 || index >= images.GetSize())
        return nullptr;
    if (m_view.GetRunState() == RunState::Running)
        return m_ahead.Load(m_frames, images, index);
    m_ahead.Drop();
    return m_frames.Load(images[index]);
}

void CConversionRun::ReleaseFrames()
{
    m_ahead.Drop();
    m_frames.Release();
}

bool CConversionRun::CanPlay(int imageCount) const
{
    const RunState state = m_view.GetRunState();
    if (state == RunState::Paused)
        return true;
    return state == RunState::Stopped && !m_inProgress && imageCount > 0;
}

void CConversionRun::Pause()
{
    const RunState state = m_view.GetRunState();
    if (state == RunState::Running)
        SetState(RunState::Paused);
    else if (state == RunState::Paused)
        SetState(RunState::Running);
    m_view.DrawStatus();
}

void CConversionRun::Stop()
{
    if (AnyOutput() && !m_view.ConfirmStop())
        return;
    SetState(RunState::Stopped);
    m_view.DrawStatus();
}

bool IsSourceSize(const BITMAPINFOHEADER& source, const BITMAPINFOHEADER& output, const RECT& clip)
{
    return output.biWidth == source.biWidth && output.biHeight == source.biHeight && clip.left == 0 && clip.top == 0 &&
           clip.right == source.biWidth && clip.bottom == source.biHeight;
}

void CConversionRun::ReportError(int code, CInfo& settings)
{
    CString caption;
    caption.Format(u"Error No.%04d", code);
    const CString message = GetErrorMessage(code);
    if (message.IsEmpty())
        return;
    SetState(RunState::Stopped);
    m_view.ShowErrorBox(caption + u"\n\n" + message, caption);
    settings.ApplyErrorNumber(code);
}

void CConversionRun::Play(const RunInputs& inputs)
{
    const RunState state = m_view.GetRunState();
    if (state == RunState::Paused) {
        // The paused run waits inside its own Play and carries on from there.
        SetState(RunState::Running);
        return;
    }
    if (state != RunState::Stopped || m_inProgress)
        return;
    // No second run may start from a dialog or box of this one, nor while it unwinds after Stop.
    m_inProgress = true;
    struct Leave {
        bool& flag;
        ~Leave() { flag = false; }
    } leave{m_inProgress};
    m_inputs = inputs;
    PlayStopped();
}

void CConversionRun::PlayStopped()
{
    if (m_inputs.folder.IsEmpty()) {
        ReportError(kErrorNoInputFolder);
        return;
    }
    if (!m_inputs.frameShown)
        return;
    m_sourceSize = IsSourceSize(m_inputs.source, m_inputs.output, m_inputs.clip);
    if (AnyOutput() && !PrepareOutputFrame())
        return;
    const int code = StartEncoders();
    if (code != 0) {
        m_aviWriter.m_pObject->Close();
        m_wmvWriter.m_pObject->Close();
        ReportError(code);
        return;
    }
    SetState(RunState::Running);
    m_view.SetModified(TRUE);
    m_wmvFrames = 0;
    const int passes = m_wmvWriter.m_pObject->IsTwoPass() ? 2 : 1;
    for (int pass = 0; pass < passes; ++pass)
        if (RunPass() == PassEnd::Ended)
            break;
    EndRun();
}

bool CConversionRun::PrepareOutputFrame()
{
    m_view.CloseResizeDialog();
    const int bytes = OutputFrameBytes(m_inputs.output);
    if (bytes == 0 || !m_output.Alloc(bytes)) {
        ReportError(kErrorOutOfMemory);
        return false;
    }
    // The resampler writes only the pixels of each row: zero pad bytes keep stale memory out of
    // uncompressed files. Frames of the source size are written from where they were read.
    if (!m_sourceSize)
        std::memset(m_output.GetData(), 0, static_cast<size_t>(bytes));
    const RECT& clip = m_inputs.clip;
    m_pipeline.m_pObject->SetClipRect(CRect(clip.left, clip.top, clip.right, clip.bottom));
    return true;
}

int CConversionRun::StartEncoders()
{
    CInfo& info = *m_inputs.settings;
    const DWORD fps = static_cast<DWORD>(info.fps);
    if (AnyOutput() && !IsUsableFrameRate(fps))
        return kErrorFrameRate;
    // The first frames are read while the save and encoder dialogs wait for their answers.
    m_ahead.Prefetch(m_frames, m_inputs.images, 0);
    // Every question is answered and every path checked before a file is created: a start that
    // is cancelled or refused leaves no file behind.
    const CStringArray& images = m_inputs.images;
    if (m_inputs.makeAvi) {
        if (!m_view.AskOutputPath(RunView::Output::Avi, m_inputs.aviPath))
            return ERROR_CANCELLED;
        if (const int refused = CheckOutputPath(m_inputs.aviPath, images, CString()))
            return refused;
        if (m_view.EditAviSettings(m_inputs.output, m_aviWriter.m_pObject->GetSetting()) != 0)
            return ERROR_CANCELLED;
    }
    CEncWMVWMA& wmv = *m_wmvWriter.m_pObject;
    if (m_inputs.makeWmv) {
        if (!m_view.AskOutputPath(RunView::Output::Wmv, m_inputs.wmvPath))
            return ERROR_CANCELLED;
        if (const int refused = CheckOutputPath(m_inputs.wmvPath, images,
                                                m_inputs.makeAvi ? m_inputs.aviPath : CString()))
            return refused;
        if (m_view.EditWmvSettings(info) != 0)
            return ERROR_CANCELLED;
        int code = 0;
        if (info.WMV == kProfileFile) {
            wmv.SetTwoPass(info.WMV2PASS);
            code = wmv.LoadProfile(info.PRX);
        } else {
            code = wmv.CreateProfile(info.WMV, info.WMV4, info.WMV7, info.WMV8);
        }
        if (code != 0)
            return code;
    }
    if (m_inputs.makeAvi) {
        const int code = m_aviWriter.m_pObject->Create(m_inputs.aviPath, &m_inputs.output, static_cast<int>(fps));
        if (code != 0)
            return code;
    }
    if (!m_inputs.makeWmv)
        return 0;
    return wmv.Open(m_inputs.wmvPath, &m_inputs.output, static_cast<int>(fps), kAudioRate, kAudioChannels, kAudioBits);
}

CConversionRun::PassEnd CConversionRun::RunPass()
{
    m_timer.ClearTotal();
    m_timer.Start();
    if (FrameLoop() == PassEnd::Ended)
        return PassEnd::Ended;
    if (m_view.GetRunState() == RunState::Stopped)
        return PassEnd::Ended;
    const int code = m_wmvWriter.m_pObject->EndPass();
    if (code != 0) {
        ReportError(code);
        return PassEnd::Ended;
    }
    return PassEnd::Complete;
}

CConversionRun::PassEnd CConversionRun::FrameLoop()
{
    const int count = m_inputs.images.GetSize();
    for (int index = 0;; ++index) {
        const BYTE* bits = ShowFrameAt(index);
        if (!bits) {
            ReportError(kErrorPictureLoad);
            return PassEnd::Complete;
        }
        const BYTE* data = bits;
        if (!m_sourceSize && AnyOutput()) {
            data = m_pipeline.m_pObject->Resize(bits, m_output.GetData(), &m_inputs.source, &m_inputs.output);
            if (!data) {
                ReportError(kErrorOutOfMemory);
                return PassEnd::Complete;
            }
        }
        if (const int code = WriteFrame(data)) {
            // Frames compressed ahead fail a few writes late: the preview may then be ahead of
            // the failing frame, but the file holds exactly the frames before it.
            ReportError(code);
            return PassEnd::Complete;
        }
        const int rate = *m_inputs.displayRate;
        if (ShouldDrawFrame(index, rate))
            m_view.DrawFrame();
        if (ShouldDrawStatus(index, rate))
            m_view.DrawStatus();
        if (index >= count - 1)
            return PassEnd::Complete;
        // Message handling and pauses count neither into the elapsed nor the remaining time.
        m_timer.Accumulate();
        m_view.PumpMessages();
        while (m_view.GetRunState() == RunState::Paused) {
            m_view.Sleep(kPauseSleepMs);
            m_view.PumpMessages();
        }
        m_timer.Start();
        if (m_view.GetRunState() == RunState::Stopped)
            return PassEnd::Ended;
    }
}

const BYTE* CConversionRun::ShowFrameAt(int index)
{
    m_view.SetIndex(index);
    const BITMAPINFOHEADER* frame = LoadFrame(m_inputs.images, index);
    // The view follows the block before anything draws: a frame read ahead comes in a block of
    // its own, and a failed load released the one shown.
    m_view.ShowFrame(frame);
    return frame ? reinterpret_cast<const BYTE*>(frame) + sizeof(BITMAPINFOHEADER) : nullptr;
}

int CConversionRun::WriteFrame(const BYTE* bits)
{
    // During the analysis pass of a two-pass WMV the AVI file gets nothing: each frame once.
    const bool analysis = m_wmvWriter.m_pObject->IsTwoPass() != FALSE;
    if (m_inputs.makeAvi && !analysis)
        if (const int code = m_aviWriter.m_pObject->WriteFrame(bits))
            return code;
    if (!m_inputs.makeWmv)
        return 0;
    if (const int code = m_wmvWriter.m_pObject->WriteVideo(bits))
        return code;
    if (!analysis)
        ++m_wmvFrames;
    return WriteSilence();
}

int CConversionRun::WriteSilence()
{
    // Computed anew each frame: the frame rate may be changed during the run.
    const int bytes = SilenceByteCount(static_cast<DWORD>(m_inputs.settings->fps));
    const bool resized = bytes != m_silence.GetCount();
    if (bytes == 0 || !m_silence.Alloc(bytes))
        return kErrorOutOfMemory;
    if (resized)
        m_silence.FillAll(0);
    // A failed audio write is reported: its number tells the settings record to use two passes.
    return m_wmvWriter.m_pObject->WriteAudio(m_silence.GetData(), bytes);
}

void CConversionRun::EndRun()
{
    m_view.SetModified(FALSE);
    SetState(RunState::Stopped);
    m_view.Beep();
    // Frames still being compressed reach the file here; a failure among them is reported as
    // a failed write would have been.
    const int aviFinished = m_aviWriter.m_pObject->FinishFrames();
    // Only files that hold frames are named: a run stopped in the analysis pass of two wrote
    // none to either, and the WMV writer then leaves no file (its Close gives S_FALSE).
    const bool aviHoldsFrames = m_aviWriter.m_pObject->GetFramePosition() > 0;
    // A file whose ending could not be written is damaged: reported, not announced as saved.
    const int aviClosed = m_aviWriter.m_pObject->Close();
    const HRESULT wmvClosed = m_wmvWriter.m_pObject->Close();
    if (m_inputs.makeAvi) {
        if (const int code = aviFinished != 0 ? aviFinished : aviClosed)
            ReportError(code);
        else if (aviHoldsFrames)
            m_view.ShowSavedBox(FormatSavedMessage(m_inputs.aviPath));
    }
    if (m_inputs.makeWmv) {
        if (FAILED(wmvClosed))
            ReportError(kErrorWmvOutput);
        else if (m_wmvFrames > 0)
            m_view.ShowSavedBox(FormatSavedMessage(m_inputs.wmvPath));
    }
    m_view.InvalidateView();
}
