#pragma once
// A request's JSON body read into a request type: the object checked as every body is
// (api::checkedObject), then its fields, each fault answered with its reason.

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "server/api.h"
#include "server/texts.h"

namespace toq::server::api {

/// A field that cannot be used, with the reason for the reply; thrown by a request type's
/// from_json.
class BadField : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};

/// A whole number within [low, high] from a field of an object; BadField when it is missing,
/// not a whole number or out of range (never wrapped).
int integerField(const nlohmann::json& j, const char* name, int low, int high);
/// The same for a value already found.
int integerValue(const nlohmann::json& value, const char* name, int low, int high);

/// The body as a `T` (read by its from_json); none, with `error` set, when it cannot be.
/// `emptyAllowed`: an empty body stands for a `T` with its defaults.
template <class T>
std::optional<T> parseBody(std::string_view body, std::string& error, bool emptyAllowed = false) {
  if (emptyAllowed && body.find_first_not_of(" \t\r\n") == std::string_view::npos) return T{};
  const std::optional<nlohmann::json> j = checkedObject(body, error);
  if (!j) return std::nullopt;
  try {
    return j->get<T>();
  } catch (const BadField& e) {
    error = e.what();
  } catch (const nlohmann::json::exception&) {
    error = texts::kBadJson;
  }
  return std::nullopt;
}

}  // namespace toq::server::api
