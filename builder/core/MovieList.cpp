#include "BuilderCore.h"

#include "BuilderFiles.h"

void TBuilderCore::AddMovie() {
    const std::string path = view_.MovieEdit();
    if (!TBuilderFiles::Exists(path)) return;
    // Exact comparison on purpose: the same movie named with other letter
    // case is a second entry.
    for (int i = 0, n = view_.MovieCount(); i < n; ++i) {
        if (view_.MovieCaption(i) == path) {
            view_.ShowMessage("Message", "This Movie Is Already In The List");
            return;
        }
    }
    const int image = view_.AddThumbnail();
    view_.AppendMovie(path, image);
}

void TBuilderCore::RemoveMovie() {
    // The thumbnail stays in the image list; the other items keep their indexes.
    const int i = view_.SelectedMovie();
    if (i >= 0) view_.DeleteMovie(i);
}

namespace {

// Exchanges the content of two items; the selection stays where it was.
void SwapMovies(TBuilderView& View, int A, int B) {
    const std::string caption = View.MovieCaption(A);
    const int image = View.MovieImage(A);
    View.SetMovie(A, View.MovieCaption(B), View.MovieImage(B));
    View.SetMovie(B, caption, image);
}

}  // namespace

void TBuilderCore::MoveMovieUp() {
    const int i = view_.SelectedMovie();
    if (i > 0) SwapMovies(view_, i, i - 1);
}

void TBuilderCore::MoveMovieDown() {
    const int i = view_.SelectedMovie();
    if (i >= 0 && i < view_.MovieCount() - 1) SwapMovies(view_, i, i + 1);
}

void TBuilderCore::PlayMovie() {
    const int i = view_.SelectedMovie();
    if (i >= 0) view_.SetMovieEdit(view_.MovieCaption(i));
}

TMoviePopupState TBuilderCore::PopupState() {
    const bool selected = view_.SelectedMovie() >= 0;
    return {true, selected, selected, selected, selected};
}
