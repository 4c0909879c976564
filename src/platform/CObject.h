#pragma once

namespace kv {

// Common base of the objects that travel with update hints, so that a view
// can recognise what it was given (dynamic_cast).
class CObject {
public:
    virtual ~CObject() = default;
};

}  // namespace kv
