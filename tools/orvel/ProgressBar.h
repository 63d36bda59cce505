// A one-line progress bar on standard error, drawn only on a terminal.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdio>

namespace orvel_cli {

class ProgressBar {
public:
    // Draws nothing unless `out` is a terminal and total reaches minimumTotal.
    ProgressBar(std::FILE* out, std::size_t total, std::size_t minimumTotal = 1000);
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;
    ~ProgressBar();  // erases the bar

    void update(std::size_t done);
    // Erases the bar so that a message can be written; the next update draws it again.
    void clear();
    bool active() const { return active_; }

private:
    void draw(std::size_t done);

    std::FILE* out_;
    std::size_t total_;
    bool active_ = false;
    bool shown_ = false;
    int lastPermille_ = -1;
    std::chrono::steady_clock::time_point lastDraw_{};
};

}  // namespace orvel_cli
