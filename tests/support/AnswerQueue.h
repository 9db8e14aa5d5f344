// The answers a test queues for a dialog, taken in turn.
#pragma once

#include <deque>

namespace quillmoor::testing {

// The next answer of answers, taken off it; cancelled when none is left.
template <typename Answer>
Answer TakeNextAnswer(std::deque<Answer>& answers, Answer cancelled) {
  if (answers.empty()) return cancelled;
  Answer answer = answers.front();
  answers.pop_front();
  return answer;
}

}  // namespace quillmoor::testing
