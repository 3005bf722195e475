#include "base/process_state.h"

int exit_code_ = 0;
bool copied_ = false;
bool saved_ = false;
std::wstring saved_path_;
bool saved_link_ = false;
