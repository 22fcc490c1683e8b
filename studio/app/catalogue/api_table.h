// The script API as one table: every global object and function the script
// host offers, each method with its call forms, defaults, result and the
// template the studio's catalogue inserts for it. The catalogue tree and the
// script API reference are both made from this table.
#pragma once

#include <vector>

namespace vantor {

struct ApiParam {
    const char* name;
    const char* type;          // "text", "number", "image", "rect", "array", ...
    const char* defaultValue;  // nullptr: the argument is required
};

struct ApiForm {
    std::vector<ApiParam> params;
    const char* result;
};

struct ApiMethod {
    const char* object;  // the global object; "" for a global function
    const char* name;
    const char* catalogue;  // the catalogue's entry, nullptr when it lists none
    std::vector<ApiForm> forms;
    const char* description;
};

struct ApiObject {
    const char* name;            // "" for the global functions
    const char* catalogueTitle;  // the catalogue group, nullptr when it has none
    const char* summary;
};

// Objects in catalogue order; groups without a title follow.
const std::vector<ApiObject>& apiObjects();
// Methods grouped by object, each group in catalogue order.
const std::vector<ApiMethod>& apiMethods();

// The catalogue's first group: calls with concrete arguments that run as
// inserted on this platform.
const char* commonExamplesTitle();
const std::vector<const char*>& commonExamples();

}  // namespace vantor
