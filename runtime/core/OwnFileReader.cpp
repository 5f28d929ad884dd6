#include "OwnFileReader.h"

#include "DecompileUnit.h"
#include "Exceptions.h"
#include "OwnPackage.h"

TOwnFileReader::TOwnFileReader(TOpen Open) : thread_([this, open = std::move(Open)] { Read(open); }) {}

bool TOwnFileReader::Done() {
    std::lock_guard lock(mutex_);
    if (!text_.Ready || !container_.Ready) return false;
    for (const TPart& movie : movies_)
        if (!movie.Ready) return false;
    return true;
}

void TOwnFileReader::WaitForFile() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return fileRead_ || text_.Ready; });
}

TOwnFileReader::~TOwnFileReader() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    thread_.join();
}

bool TOwnFileReader::Fill(TPart& Part, const std::function<std::unique_ptr<TMemoryStream>()>& Make) {
    {
        std::lock_guard lock(mutex_);
        if (stop_) return false;
    }
    std::unique_ptr<TMemoryStream> data;
    try {
        data = Make();
    } catch (...) {
        // The parts after one that failed cannot be read either: they fail
        // the same way, so that nobody waits for them.
        FailRest(std::current_exception());
        return false;
    }
    std::lock_guard lock(mutex_);
    Part.Data = std::move(data);
    Part.Ready = true;
    changed_.notify_all();
    return true;
}

void TOwnFileReader::FailRest(const std::exception_ptr& Failure) {
    std::lock_guard lock(mutex_);
    auto fail = [&](TPart& Part) {
        if (Part.Ready) return;
        Part.Failure = Failure;
        Part.Ready = true;
    };
    fail(text_);
    fail(container_);
    for (TPart& movie : movies_) fail(movie);
    changed_.notify_all();
}

void TOwnFileReader::Read(const TOpen& Open) {
    TDecompileStream movies;
    {
        // The package (the program's own bytes among them) goes as soon as
        // the parts the window needs are out of it.
        TDecompileStream package;
        try {
            auto own = Open();
            package.Decompile(own.get());
        } catch (...) {
            FailRest(std::current_exception());
            return;
        }
        {
            std::lock_guard lock(mutex_);
            fileRead_ = true;
            changed_.notify_all();
        }
        if (!Fill(text_, [&] { return package.GetStream(kProjectStream, true); })) return;
        const bool read = Fill(container_, [&] {
            auto container = package.GetStream(kMoviesStream, true);
            movies.Decompile(container.get());
            std::lock_guard lock(mutex_);
            movies_.resize(static_cast<std::size_t>(movies.Count()));
            return std::unique_ptr<TMemoryStream>();
        });
        if (!read) return;
    }
    for (int i = 0; i < movies.Count(); ++i)
        if (!Fill(movies_[static_cast<std::size_t>(i)], [&] { return movies.GetStream(i, true); })) return;
}

std::unique_ptr<TMemoryStream> TOwnFileReader::Take(TPart& Part) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return Part.Ready; });
    if (Part.Failure) std::rethrow_exception(Part.Failure);
    return std::move(Part.Data);
}

std::unique_ptr<TMemoryStream> TOwnFileReader::TakeProjectText() { return Take(text_); }

int TOwnFileReader::MovieCount() {
    Take(container_);
    std::lock_guard lock(mutex_);
    return static_cast<int>(movies_.size());
}

std::unique_ptr<TMemoryStream> TOwnFileReader::TakeMovie(int Index) {
    std::unique_lock lock(mutex_);
    if (Index < 0 || static_cast<std::size_t>(Index) >= movies_.size()) throw EReadError("Stream read error");
    lock.unlock();
    return Take(movies_[static_cast<std::size_t>(Index)]);
}
