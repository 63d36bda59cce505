#include "ProgressBar.h"

#include <unistd.h>

namespace orvel_cli {

ProgressBar::ProgressBar(std::FILE* out, std::size_t total, std::size_t minimumTotal)
    : out_(out), total_(total), active_(total >= minimumTotal && total > 0 && isatty(fileno(out)))
{
}

ProgressBar::~ProgressBar()
{
    clear();
}

void ProgressBar::update(std::size_t done)
{
    if (!active_) return;
    int permille = static_cast<int>(done * 1000 / total_);
    auto now = std::chrono::steady_clock::now();
    // Redrawing costs a write to the terminal: at most ten times a second.
    if (shown_ && (permille == lastPermille_ || now - lastDraw_ < std::chrono::milliseconds(100)) && done != total_)
        return;
    lastPermille_ = permille;
    lastDraw_ = now;
    draw(done);
}

void ProgressBar::draw(std::size_t done)
{
    constexpr int width = 40;
    int filled = static_cast<int>(done * width / total_);
    std::fprintf(out_, "\r[");
    for (int i = 0; i < width; ++i) std::fputc(i < filled ? '#' : '.', out_);
    std::fprintf(out_, "] %3d%% %zu/%zu calls", static_cast<int>(done * 100 / total_), done, total_);
    std::fflush(out_);
    shown_ = true;
}

void ProgressBar::clear()
{
    if (!shown_) return;
    std::fprintf(out_, "\r\033[K");
    std::fflush(out_);
    shown_ = false;
}

}  // namespace orvel_cli
