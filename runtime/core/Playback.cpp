#include "Playback.h"

#include "Exceptions.h"
#include "MovieFiles.h"
#include "OwnPackage.h"

#include <utility>

TPlayback::TPlayback(TPlaybackWindow& Window, TPlaybackServices Services)
    : window_(Window), services_(std::move(Services)), project_(std::make_unique<TProject>()) {
    filter_.StartPoint = window_.CursorPos();
}

TPlayback::~TPlayback() {
    try {
        Finish();
    } catch (...) {
        // A destructor cannot report; Finish itself raises nothing we expect.
    }
}

void TPlayback::HideCursor() {
    if (cursorHidden_) return;
    window_.ShowCursor(false);
    cursorHidden_ = true;
}

void TPlayback::RevealCursor() {
    if (!cursorHidden_) return;
    window_.ShowCursor(true);
    cursorHidden_ = false;
}

void TPlayback::Show() {
    // A window closed before it was shown has nothing to start.
    if (finished_) return;
    try {
        TDecompileStream package;
        {
            auto own = services_.OpenOwnFile();
            package.Decompile(own.get());
        }
        LoadProject(package, *project_);

        settings_ = ReadSettings(*services_.Settings, project_->BuildId);
        filter_.IgnoreMouse = settings_.IgnoreMouse;

        // Without a wave device there is no volume to come back to, so it is
        // left alone rather than set to 0 and "restored" to 0 afterwards.
        if (settings_.Mute && services_.Volume->GetVolume(savedVolume_)) {
            muted_ = true;
            services_.Volume->SetVolume(0);
        }

        window_.CoverScreen();
        shown_ = true;
        HideCursor();

        TDecompileStream movies;
        OpenMovies(package, movies);
        ExtractMovies(movies, *project_->FlashList, services_.TempFolder, *services_.Files, written_);
        if (project_->FlashList->Count() == 0) throw Exception(kNoMoviesMessage);

        sequence_ = std::make_unique<TMovieSequence>(project_->FlashList->Count(), project_->RandomPlay, services_.Draw);
        window_.PlayMovie(project_->FlashList->Strings(0), sequence_->Loops());
        window_.EnableTimer(sequence_->NeedsTimer());
        window_.Invalidate();
    } catch (...) {
        // The error box must not appear under a hidden cursor.
        RevealCursor();
        throw;
    }
}

void TPlayback::Poll(int TotalFrames, int CurrentFrame, bool Playing) {
    if (!sequence_) return;
    if (const auto next = sequence_->Poll(TotalFrames, CurrentFrame, Playing))
        window_.PlayMovie(project_->FlashList->Strings(*next), false);
}

TInputVerdict TPlayback::FilterInput(std::uint32_t Message, TScreenPoint Cursor) const {
    return filter_.Judge(Message, Cursor);
}

bool TPlayback::CloseQuery() {
    if (!services_.Platform || !services_.Platform->IsWin9x()) return true;
    if (!shown_) return true;
    if (!services_.Password || !services_.Password->PasswordSet()) return true;
    RevealCursor();
    filter_.InPasswordCheck = true;
    const std::optional<bool> answer = services_.Password->Verify();
    if (!answer || *answer) return true;
    // The place where the user gave up becomes the new reference.
    HideCursor();
    filter_.StartPoint = window_.CursorPos();
    filter_.InPasswordCheck = false;
    return false;
}

void TPlayback::Finish() {
    if (finished_) return;
    finished_ = true;
    if (muted_) services_.Volume->SetVolume(savedVolume_);
    for (const std::string& path : written_) services_.Files->RemoveFile(path);
    written_.clear();
    RevealCursor();
}
