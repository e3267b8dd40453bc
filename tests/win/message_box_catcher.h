// Answers the message boxes this thread shows while a test runs (a thread
// timer finds them from inside their modal loops) and remembers what they said.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct CaughtBox {
    std::string caption;
    std::string text;
};

class MessageBoxCatcher {
public:
    explicit MessageBoxCatcher(int answer = IDOK);
    ~MessageBoxCatcher();
    MessageBoxCatcher(const MessageBoxCatcher&) = delete;
    MessageBoxCatcher& operator=(const MessageBoxCatcher&) = delete;

    const std::vector<CaughtBox>& Boxes() const;

private:
    UINT_PTR timer_;
};
