#pragma once
#include <string>

namespace kv {

enum class MsgIcon { None, Error, Warning, Question, Information, Exclamation };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No };

// Modal message boxes: an error or warning with OK, or a question.
class IMessages {
public:
    virtual ~IMessages() = default;
    virtual MsgAnswer ShowMessage(const std::string& text, MsgIcon icon, MsgButtons buttons) = 0;
};

}  // namespace kv
