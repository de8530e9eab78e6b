// The conversion run behind the player's Play, Pause and Stop: it walks the listed images once,
// or twice for a two-pass WMV, loading, resizing and writing each frame in turn and pumping the
// message queue between frames, so that Pause, Stop and the view's other commands act within
// one frame. It owns the frame block the images are read into, also for the view's loads.
#pragma once

#include "app/frame_loader.h"
#include "app/frame_read_ahead.h"
#include "app/run_view.h"
#include "foundation/mem_buff.h"
#include "foundation/time_manager.h"
#include "image/io_data.h"
#include "platform/afx/carray.h"
#include "writers/enc_avi2.h"
#include "writers/enc_wmv.h"

class CInfo;

// What a run works on, handed to Play. The images, the frame formats and the outputs are taken as
// they stand: the commands that change them are disabled until the run has ended. The settings
// record and the display rate stay where they live, as the user may change them between frames.
struct RunInputs {
    CString folder;
    CStringArray images;
    // A frame is shown: none after a failed load, until the folder is listed anew.
    bool frameShown = false;
    BOOL makeAvi = FALSE;
    BOOL makeWmv = FALSE;
    // Where the save dialogs start; the run keeps what they chose.
    CString aviPath;
    CString wmvPath;
    BITMAPINFOHEADER source{};
    BITMAPINFOHEADER output{};
    RECT clip{};
    // The document's record: its frame rate sizes each frame's silence, and the WMV dialog and
    // the error numbers write into it.
    CInfo* settings = nullptr;
    const int* displayRate = nullptr;
};

// The output frame equals the source frame: same size and no clipping.
bool IsSourceSize(const BITMAPINFOHEADER& source, const BITMAPINFOHEADER& output, const RECT& clip);

class CConversionRun {
public:
    explicit CConversionRun(RunView& view);

    // Starts a run on inputs, or resumes a paused one (inputs are then not looked at); returns
    // when the run has ended (or was resumed).
    void Play(const RunInputs& inputs);
    // Running and Paused swap; any other state is left alone.
    void Pause();
    // Asks first when an output is switched on; the run reaches its end after its next pump.
    void Stop();
    // Play is inside a run, its dialogs or its end, also after the run was asked to stop.
    bool InProgress() const { return m_inProgress; }
    // Play acts while paused, or while stopped with no run still unwinding.
    bool CanPlay(int imageCount) const;

    // Asks for the outputs and their settings and opens the writers that are switched on: 0,
    // -2 when a dialog was cancelled, or the error number that refused or failed.
    int StartEncoders();
    // The error box: nothing for 0 and -2, else the run stops, the box shows the number and its
    // message, and the settings record adjusts itself to the number.
    void ReportError(int code, CInfo& settings);

    // Loads images[index] into the frame block; NULL when it did not load (the block is gone).
    // While running, the frames after it are read ahead; otherwise what was read ahead is dropped
    // and the one image is read alone.
    const BITMAPINFOHEADER* LoadFrame(const CStringArray& images, int index);
    // NULL before the first load and after a failed one.
    const BITMAPINFOHEADER* Frame() const { return m_frames.Frame(); }
    // Drops the frames read ahead and releases the block: a folder listed anew, the view going.
    void ReleaseFrames();
    const CFrameReadAhead& ReadAhead() const { return m_ahead; }

    // The stopwatch of the current pass: milliseconds spent on its frames so far.
    CTimeMmanager& Timer() { return m_timer; }
    CMemBuffClassBaseConst<CEncAVI2>& AviWriter() { return m_aviWriter; }
    CMemBuffClassBaseConst<CEncWMVWMA>& WmvWriter() { return m_wmvWriter; }
    // The first of two passes: the WMV writer still analyses.
    bool IsFirstOfTwoPasses() { return m_wmvWriter.m_pObject->IsTwoPass() != FALSE; }

private:
    enum class PassEnd { Complete, Ended };

    void PlayStopped();
    bool AnyOutput() const { return m_inputs.makeAvi || m_inputs.makeWmv; }
    void ReportError(int code) { ReportError(code, *m_inputs.settings); }
    bool PrepareOutputFrame();
    void SetState(RunState state);
    PassEnd RunPass();
    PassEnd FrameLoop();
    // Loads the frame at index and shows it; its pixels, or NULL when it did not load.
    const BYTE* ShowFrameAt(int index);
    // 0 or the number that ends the run.
    int WriteFrame(const BYTE* bits);
    int WriteSilence();
    void EndRun();

    RunView& m_view;
    // The inputs of the run in progress, or of the last one.
    RunInputs m_inputs;
    // Destroyed in reverse: the WMV writer before the AVI writer, both before the pipeline.
    CMemBuffClassBaseConst<CIOdataE> m_pipeline;
    CMemBuffClassBaseConst<CEncAVI2> m_aviWriter;
    CMemBuffClassBaseConst<CEncWMVWMA> m_wmvWriter;
    CMemBuffBase<unsigned char> m_silence;
    CMemBuffBase<unsigned char> m_output;
    CTimeMmanager m_timer;
    bool m_sourceSize = true;
    // Frames the WMV file got in this run: none in the analysis pass.
    int m_wmvFrames = 0;
    bool m_inProgress = false;
    CFrameLoader m_frames;
    // Only a running conversion reads ahead; every other load reads its one file.
    CFrameReadAhead m_ahead;
};
