#pragma once
// A window for handler tests: boxes hold stored text, the dialog answers from a script.

#include <deque>
#include <filesystem>
#include <map>
#include <optional>
#include <vector>

#include "app/commands/window.h"

namespace veyla::app::testing {

class FakeWindow : public Window {
 public:
  Text GetText(EditBox box) override { return boxes[box]; }
  void SetText(EditBox box, const Text& text) override { boxes[box] = text; }
  void SetCaption(const Text& text) override { caption = text; ++captionsSet; }
  void SetPicture(const std::filesystem::path& file) override { pictures.push_back(file); }
  bool OpenFileDialog() override {
    ++dialogsOpened;
    std::optional<Text> answer;
    if (!dialogAnswers.empty()) {
      answer = dialogAnswers.front();
      dialogAnswers.pop_front();
    }
    if (answer) dialogName = *answer;
    return answer.has_value();
  }
  Text DialogFileName() override { return dialogName; }

  std::map<EditBox, Text> boxes;
  Text caption;
  int captionsSet = 0;
  std::vector<std::filesystem::path> pictures;  // every SetPicture, in order
  std::deque<std::optional<Text>> dialogAnswers;  // nullopt: the user cancels
  Text dialogName;
  int dialogsOpened = 0;
};

}  // namespace veyla::app::testing
