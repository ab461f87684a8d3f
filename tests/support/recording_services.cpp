// SPDX-License-Identifier: MIT
#include "support/recording_services.h"

namespace testing_support {

platform::Answer RecordingServices::ShowMessage(std::u16string_view text, std::u16string_view title,
                                                platform::Buttons buttons) {
  shown.push_back({std::u16string(text), std::u16string(title), buttons});
  if (!answers.empty()) {
    platform::Answer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  return buttons == platform::Buttons::Ok ? platform::Answer::Ok : platform::Answer::No;
}

}  // namespace testing_support
