// Input/output failures after a file was opened end the operation by this
// exception; the dispatcher turns it into the general error report.
#pragma once
#include <stdexcept>
#include <string>

namespace kvr {

class TIoError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace kvr
