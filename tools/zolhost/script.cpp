// The script runner.
#include "script.h"

#include <chrono>
#include <thread>

#include "call_request.h"
#include "errors.h"
#include "report.h"
#include "value_parse.h"

namespace zolhost {
namespace {

constexpr int64_t kLongestWaitMs = 60000;

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// Runs one non-empty line's words.
void RunWords(std::vector<std::string> words, const std::string& name, int number, Session& session,
              const ScriptOutput& output) {
  if (words.front() == "wait") {
    if (words.size() != 2)
      throw UsageError("wait takes one value, in milliseconds");
    const auto ms = ParseIntegerInRange(words[1], "wait", 0, kLongestWaitMs);
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    return;
  }
  if (words.front() == "call") {
    words.erase(words.begin());
  }
  const CallRequest request = ParseCall(words, {});
  if (request.help) {
    output.out << OperationHelp(*request.operation);
    return;
  }
  const CallRecord record = session.Call(request);
  if (output.json) {
    nlohmann::ordered_json object = CallToJson(record);
    object["file"] = name;
    object["line"] = number;
    output.out << object.dump() << "\n";
  } else {
    output.out << name << ":" << number << ": ";
    PrintCall(output.out, record);
  }
  output.out.flush();
}

}  // namespace

std::vector<std::string> SplitWords(std::string_view line) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < line.size()) {
    if (IsSpace(line[i])) {
      ++i;
      continue;
    }
    if (line[i] == '#')
      break;
    std::string word;
    while (i < line.size() && !IsSpace(line[i])) {
      const char c = line[i++];
      if (c != '\'' && c != '"') {
        word.push_back(c);
        continue;
      }
      const auto close = line.find(c, i);
      if (close == std::string_view::npos) {
        throw UsageError(std::string("unclosed ") + c + " quote");
      }
      word.append(line.substr(i, close - i));
      i = close + 1;
    }
    words.push_back(std::move(word));
  }
  return words;
}

void RunScript(std::istream& in, const std::string& name, Session& session,
               const ScriptOutput& output) {
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (number == 1 && line.starts_with("\xEF\xBB\xBF")) {
      line.erase(0, 3);  // a UTF-8 byte-order mark
    }
    const std::string where = name + ":" + std::to_string(number);
    try {
      std::vector<std::string> words = SplitWords(line);
      if (!words.empty()) {
        RunWords(std::move(words), name, number, session, output);
      }
    } catch (const UsageError& e) {
      throw UsageError(where + ": " + e.what());
    } catch (const HostError& e) {
      throw HostError(where + ": " + e.what());
    }
  }
}

}  // namespace zolhost
