#pragma once
// The installed file read and inflated on a thread of its own. The playback
// window starts it when it is created, so that by the time the window is on
// screen the project text and the movies are already in memory. The window
// still takes each part at the step that needs it, in its own order, and a
// part that could not be read raises its failure there, as if the window had
// read the file itself at that step.

#include "Streams.h"

#include <condition_variable>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class TOwnFileReader {
public:
    // Open gives the program's own file; it is called on the reading thread.
    using TOpen = std::function<std::unique_ptr<TStream>()>;
    explicit TOwnFileReader(TOpen Open);
    TOwnFileReader(const TOwnFileReader&) = delete;
    TOwnFileReader& operator=(const TOwnFileReader&) = delete;
    // Stops after the part being inflated and waits for the thread.
    ~TOwnFileReader();

    // The project text (stream 2), inflated. Raises what opening the file,
    // reading it as a package or inflating the text raised.
    std::unique_ptr<TMemoryStream> TakeProjectText();
    // How many movies the container (stream 1) holds. Raises what inflating
    // the container or reading it as a package raised.
    int MovieCount();
    // Movie Index (below MovieCount) of the container, inflated; each is
    // handed out once. Raises what inflating it raised.
    std::unique_ptr<TMemoryStream> TakeMovie(int Index);
    // Whether every part has been read (or has failed), so that nothing
    // asked for will wait.
    bool Done();
    // Waits until the file is in memory (or could not be read); the parts
    // are inflated from it afterwards.
    void WaitForFile();

private:
    struct TPart {
        bool Ready = false;
        std::exception_ptr Failure;
        std::unique_ptr<TMemoryStream> Data;
    };

    void Read(const TOpen& Open);
    // Runs Make into Part unless stopped; false when it failed or was stopped.
    bool Fill(TPart& Part, const std::function<std::unique_ptr<TMemoryStream>()>& Make);
    std::unique_ptr<TMemoryStream> Take(TPart& Part);
    void FailRest(const std::exception_ptr& Failure);

    std::mutex mutex_;
    std::condition_variable changed_;
    TPart text_;
    TPart container_;  // Ready once movies_ has its size
    bool fileRead_ = false;
    std::vector<TPart> movies_;
    bool stop_ = false;
    std::thread thread_;  // last: it starts once the parts above exist
};
