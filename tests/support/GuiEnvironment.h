#pragma once
// Engine tests that draw glyphs or write PDF files need the font database
// of a GUI application; this environment makes one (offscreen) for the
// whole test program when none exists.

#include <QCoreApplication>
#include <QGuiApplication>
#include <gtest/gtest.h>

#include <memory>

namespace korvelin::testing {

class GuiEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        if (QCoreApplication::instance()) return;
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<QGuiApplication>(argc_, argv_);
    }
    void TearDown() override { app_.reset(); }

  private:
    int argc_ = 1;
    char name_[16] = "korvelin_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QGuiApplication> app_;
};

} // namespace korvelin::testing
