// One QApplication for the whole test binary, on the offscreen platform unless
// the caller chose another.
#include <QApplication>
#include <gtest/gtest.h>
#include <memory>

namespace {

class QtAppEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    app_ = std::make_unique<QApplication>(argc_, argv_);
    QApplication::setStyle(QStringLiteral("Fusion"));
    // Tests close windows without a main loop to end.
    QApplication::setQuitOnLastWindowClosed(false);
  }
  void TearDown() override { app_.reset(); }

 private:
  int argc_ = 1;
  char name_[16] = "kvr_qt_tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] ::testing::Environment* const kQtApp = ::testing::AddGlobalTestEnvironment(new QtAppEnvironment);

}  // namespace
