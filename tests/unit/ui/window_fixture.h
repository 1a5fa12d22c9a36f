#pragma once
// A window as the handlers see it: a model installed as view and surface, the
// requests, a traffic picture, blocked hexids recorded, settings in a scratch folder.
#include <gtest/gtest.h>

#include <optional>
#include <pugixml.hpp>
#include <string>
#include <vector>

#include "core/folders.h"
#include "core/message_line.h"
#include "core/parameters.h"
#include "test_support.h"
#include "ui/window_commands.h"
#include "ui/window_context.h"

namespace tfx::ui {

class WindowFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    test::resetProgramState();
    std::filesystem::create_directories(dataFolder());
    setControlView(&model_);
    setWindowSurface(&model_);
    messageLine().clearAll();
    createWindowControls(model_);
  }
  void TearDown() override {
    messageLine().clearAll();
    setWindowSurface(nullptr);
    setControlView(nullptr);
    test::resetProgramState();
  }

  void click(ControlId id) { lf_HandleWMCOMMAND(context_, id); }
  void type(ControlId id, std::string_view text) {
    model_.showEditText(id, text);
    lf_HandleWMCOMMAND(context_, id);
  }
  void pick(ControlId id, int32_t value) {
    model_.showListValue(id, value);
    lf_HandleWMCOMMAND(context_, id);
  }
  std::string strip() const { return model_.stripText(); }
  std::string boxText(ControlId id) const { return model_.control(id)->text; }
  bool enabled(ControlId id) const { return model_.control(id)->enabled; }

  // The value parameters.xml holds, or nullopt when the key is absent.
  static std::optional<std::string> stored(const std::string& name) {
    pugi::xml_document document;
    document.load_file(parametersFile().c_str());
    pugi::xpath_variable_set variables;
    variables.set("name", name.c_str());
    auto node = document.select_node("/parameters/parameter[@name=$name]", &variables).node();
    if (!node) return std::nullopt;
    return std::string(node.attribute("value").as_string());
  }

  test::ScratchHome home_;
  WindowModel model_;
  WindowRequests requests_;
  TrafficPictureBuffer picture_;
  std::vector<uint32_t> blocked_;
  WindowContext context_{model_, requests_, picture_, [this](uint32_t hexid) { blocked_.push_back(hexid); }};
};

}  // namespace tfx::ui
