#include "shell/RunFlags.h"

namespace quillmark {

namespace {
thread_local const std::atomic<bool>* threadFlag = nullptr;
}

bool runAllowed() { return threadFlag == nullptr || threadFlag->load(); }

ThreadRunFlag::ThreadRunFlag(const std::atomic<bool>& allowed) : previous_(threadFlag) { threadFlag = &allowed; }

ThreadRunFlag::~ThreadRunFlag() { threadFlag = previous_; }

}  // namespace quillmark
