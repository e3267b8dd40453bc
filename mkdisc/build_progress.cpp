#include "build_progress.h"

void ProgressMeter::CheckCancel()
{
    if (progress_ && progress_->CancelRequested())
        throw BuildCancelled();
}

void ProgressMeter::AddBytes(uint64_t bytes)
{
    bytes_ += bytes;
    if (progress_)
        progress_->Advanced(files_, bytes_);
    CheckCancel();
}

void ProgressMeter::FileDone()
{
    ++files_;
    if (progress_)
        progress_->Advanced(files_, bytes_);
    CheckCancel();
}
