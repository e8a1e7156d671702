#pragma once

#include <exception>
#include <string>
#include <utility>

namespace platform {

// A failed operation of the operating system (or of the program's own checks, such as a
// number that does not fit), carrying the platform's description of what went wrong.
class Error : public std::exception {
  public:
    explicit Error(std::wstring description) : description_(std::move(description)) {}

    const std::wstring& Description() const noexcept { return description_; }
    const char* what() const noexcept override { return "platform::Error"; }

  private:
    std::wstring description_;
};

// Runs one step whose failure the program skips: the step's effect is missing and the caller
// goes on with its next step.
template <typename Step>
void IgnoreErrors(Step&& step) {
    try {
        std::forward<Step>(step)();
    } catch (const Error&) {
    }
}

}  // namespace platform
