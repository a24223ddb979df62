// Parsing a call's words with CLI11: one parser per operation, holding that
// operation's named inputs and the generic setters.
#include "call_request.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <array>

#include "errors.h"
#include "text16.h"
#include "value_parse.h"

namespace zolhost {
namespace {

constexpr std::size_t kMaxTextUnits = ZOL_TEXT_UNITS - 1;

struct GenericSetter {
  std::string_view option;
  SlotKind kind;
  std::string_view help;
};

constexpr std::array kNumericSetters = {
    GenericSetter{"--int", SlotKind::Integer, "K=V: integer V into numeric slot K (0 to 19)"},
    GenericSetter{"--double", SlotKind::Double, "K=V: double V into numeric slot K"},
    GenericSetter{"--array-number", SlotKind::ArrayNumber,
                  "K=V: array number V into numeric slot K"},
};
constexpr std::array<std::string_view, 2> kStringSetters = {"--string0", "--string1"};

SlotWrite TextWrite(int k, const std::string& value, const std::string& source) {
  std::u16string units;
  try {
    units = DecodeText(value);
  } catch (const UsageError& e) {
    throw UsageError(source + ": " + e.what());
  }
  if (units.size() > kMaxTextUnits) {
    throw UsageError(source + ": the text has " + std::to_string(units.size()) +
                     " units; a string slot holds at most 255");
  }
  return {true, k, {}, std::move(units), source};
}

SlotWrite NumericWrite(SlotKind kind, int slot, const std::string& value,
                       const std::string& source) {
  SlotBytes bytes{};
  switch (kind) {
    case SlotKind::Double:
      bytes = DoubleSlot(ParseDouble(value, source));
      break;
    case SlotKind::ArrayNumber:
      bytes = ArrayNumberSlot(ParseArrayNumber(value, source));
      break;
    case SlotKind::ByteOrder:
      bytes = IntegerSlot(ParseByteOrder(value, source));
      break;
    default:
      bytes = IntegerSlot(ParseInteger(value, source));
      break;
  }
  return {false, slot, bytes, {}, source};
}

SlotWrite FieldWrite(const Field& field, const std::string& value) {
  const std::string source(field.option);
  return field.kind == SlotKind::Text ? TextWrite(field.slot, value, source)
                                      : NumericWrite(field.kind, field.slot, value, source);
}

// "K=V" for a generic numeric setter.
SlotWrite GenericWrite(const GenericSetter& setter, const std::string& assignment) {
  const std::string source = std::string(setter.option) + " " + assignment;
  const auto eq = assignment.find('=');
  if (eq == std::string::npos) {
    throw UsageError(source + ": expected K=V, a slot number and a value");
  }
  const int slot = static_cast<int>(ParseIntegerInRange(std::string_view(assignment).substr(0, eq),
                                                        source, 0, ZOL_NUMERIC_SLOT_COUNT - 1));
  return NumericWrite(setter.kind, slot, assignment.substr(eq + 1), source);
}

void RejectDuplicateTargets(const std::vector<SlotWrite>& writes) {
  for (std::size_t i = 0; i < writes.size(); ++i) {
    for (std::size_t j = 0; j < i; ++j) {
      if (writes[i].isString == writes[j].isString && writes[i].index == writes[j].index) {
        throw UsageError(std::string(writes[i].isString ? "string " : "slot ") +
                         std::to_string(writes[i].index) + " is set twice, by " + writes[j].source +
                         " and by " + writes[i].source);
      }
    }
  }
}

std::string DescribeInputs(const Operation& op) {
  std::string out;
  for (const Field& f : op.inputs) {
    out += "  " + DescribeField(f) + "\n";
  }
  if (op.inputs.empty()) {
    out += "  (no inputs)\n";
  }
  return out;
}

std::string GenericHelp() {
  std::string out = "generic setters (any operation):\n";
  for (const auto& s : kNumericSetters) {
    out += "  " + std::string(s.option) + " " + std::string(s.help) + "\n";
  }
  out += "  --string0 TEXT, --string1 TEXT: text into string slot 0 or 1\n";
  return out;
}

[[noreturn]] void ThrowParseError(const Operation& op, const std::string& problem) {
  throw UsageError(std::string(op.name) + ": " + problem + "\nvalid inputs for " +
                   std::string(op.name) + ":\n" + DescribeInputs(op) + GenericHelp());
}

}  // namespace

namespace {

// One operation's command-line parser and the values it collects.
class InputParser {
 public:
  InputParser(const Operation& op, const CallSyntax& syntax, CallRequest& request)
      : op_(op), app_(std::string(op.name)), named_(op.inputs.size()) {
    app_.set_help_flag();
    app_.allow_extras();
    app_.add_flag("-h,--help", request.help);
    if (syntax.allowJson) {
      app_.add_flag("--json", request.json);
    }
    for (std::size_t i = 0; i < op.inputs.size(); ++i) {
      const std::string name(op.inputs[i].option);
      namedOptions_.push_back(op.inputs[i].kind == SlotKind::Flag
                                  ? app_.add_flag(name + "{1}", named_[i])
                                  : app_.add_option(name, named_[i]));
    }
    for (std::size_t i = 0; i < kNumericSetters.size(); ++i) {
      app_.add_option(std::string(kNumericSetters[i].option), generic_[i]);
    }
    for (std::size_t i = 0; i < kStringSetters.size(); ++i) {
      stringOptions_[i] = app_.add_option(std::string(kStringSetters[i]), strings_[i]);
    }
  }

  void Parse(std::vector<std::string> reversedWords) {
    try {
      app_.parse(reversedWords);
    } catch (const CLI::ParseError& e) {
      ThrowParseError(op_, e.what());
    }
    const std::vector<std::string> extra = app_.remaining();
    if (!extra.empty()) {
      const std::string& first = extra.front();
      ThrowParseError(
          op_, (first.starts_with("-") ? "unknown input '" : "unexpected word '") + first + "'");
    }
  }

  // Named inputs first, in table order, then the generic setters.
  std::vector<SlotWrite> Writes() const {
    std::vector<SlotWrite> writes;
    for (std::size_t i = 0; i < op_.inputs.size(); ++i) {
      if (namedOptions_[i]->count() > 0) {
        writes.push_back(FieldWrite(op_.inputs[i], named_[i]));
      }
    }
    for (std::size_t i = 0; i < kNumericSetters.size(); ++i) {
      for (const std::string& assignment : generic_[i]) {
        writes.push_back(GenericWrite(kNumericSetters[i], assignment));
      }
    }
    for (std::size_t i = 0; i < kStringSetters.size(); ++i) {
      if (stringOptions_[i]->count() > 0) {
        writes.push_back(
            TextWrite(static_cast<int>(i), strings_[i], std::string(kStringSetters[i])));
      }
    }
    RejectDuplicateTargets(writes);
    return writes;
  }

 private:
  const Operation& op_;
  CLI::App app_;
  std::vector<std::string> named_;
  std::vector<CLI::Option*> namedOptions_;
  std::array<std::vector<std::string>, kNumericSetters.size()> generic_;
  std::array<std::string, kStringSetters.size()> strings_;
  std::array<CLI::Option*, kStringSetters.size()> stringOptions_{};
};

}  // namespace

std::string OperationHelp(const Operation& op) {
  return std::to_string(op.number) + " " + std::string(op.name) + ": " + std::string(op.summary) +
         "\ninputs:\n" + DescribeInputs(op) + GenericHelp();
}

CallRequest ParseCall(const std::vector<std::string>& words, const CallSyntax& syntax) {
  if (words.empty()) {
    throw UsageError("missing operation: give its name or number (see 'zolhost list')");
  }
  CallRequest request;
  request.operation = &FindOperation(words.front());
  InputParser parser(*request.operation, syntax, request);
  parser.Parse({words.rbegin(), words.rend() - 1});  // CLI11 takes the words reversed
  request.writes = parser.Writes();
  return request;
}

void ApplyWrites(CallerAreas& areas, const std::vector<SlotWrite>& writes) {
  for (const SlotWrite& w : writes) {
    if (w.isString) {
      WriteString(areas, w.index, w.text);
    } else {
      WriteSlot(areas, w.index, w.bytes);
    }
  }
}

}  // namespace zolhost
