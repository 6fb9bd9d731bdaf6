#include "base/json.h"

#include <nlohmann/json.hpp>

namespace base {
namespace {

std::unique_ptr<Value> FromJson(const nlohmann::json& json, int depth) {
  if (depth > JSONReader::kMaxDepth) return nullptr;
  switch (json.type()) {
    case nlohmann::json::value_t::boolean:
      return std::make_unique<FundamentalValue>(json.get<bool>());
    // Integers that do not fit an int are kept as doubles.
    case nlohmann::json::value_t::number_integer: {
      int64_t number = json.get<int64_t>();
      if (number >= INT32_MIN && number <= INT32_MAX) {
        return std::make_unique<FundamentalValue>(static_cast<int>(number));
      }
      return std::make_unique<FundamentalValue>(static_cast<double>(number));
    }
    case nlohmann::json::value_t::number_unsigned: {
      uint64_t number = json.get<uint64_t>();
      if (number <= INT32_MAX) return std::make_unique<FundamentalValue>(static_cast<int>(number));
      return std::make_unique<FundamentalValue>(static_cast<double>(number));
    }
    case nlohmann::json::value_t::number_float:
      return std::make_unique<FundamentalValue>(json.get<double>());
    case nlohmann::json::value_t::string:
      return std::make_unique<StringValue>(json.get<std::string>());
    case nlohmann::json::value_t::array: {
      auto list = std::make_unique<ListValue>();
      for (const auto& item : json) {
        std::unique_ptr<Value> value = FromJson(item, depth + 1);
        if (!value) return nullptr;
        list->Append(std::move(value));
      }
      return list;
    }
    case nlohmann::json::value_t::object: {
      auto dict = std::make_unique<DictionaryValue>();
      for (const auto& [key, item] : json.items()) {
        std::unique_ptr<Value> value = FromJson(item, depth + 1);
        if (!value) return nullptr;
        dict->Set(key, std::move(value));
      }
      return dict;
    }
    default:
      return Value::CreateNullValue();
  }
}

nlohmann::json ToJson(const Value& value) {
  switch (value.GetType()) {
    case Value::TYPE_BOOLEAN: {
      bool b = false;
      value.GetAsBoolean(&b);
      return b;
    }
    case Value::TYPE_INTEGER: {
      int i = 0;
      value.GetAsInteger(&i);
      return i;
    }
    case Value::TYPE_DOUBLE: {
      double d = 0;
      value.GetAsDouble(&d);
      return d;
    }
    case Value::TYPE_STRING: {
      std::string s;
      value.GetAsString(&s);
      return s;
    }
    case Value::TYPE_LIST: {
      nlohmann::json array = nlohmann::json::array();
      const ListValue* list = value.AsList();
      for (size_t i = 0; i < list->GetSize(); ++i) array.push_back(ToJson(*list->Get(i)));
      return array;
    }
    case Value::TYPE_DICTIONARY: {
      nlohmann::json object = nlohmann::json::object();
      for (const auto& [key, item] : value.AsDictionary()->items()) object[key] = ToJson(*item);
      return object;
    }
    default:
      return nullptr;
  }
}

// The null value: a plain Value of TYPE_NULL.
class NullValue : public Value {
 public:
  NullValue() : Value(TYPE_NULL) {}
};

}  // namespace

std::unique_ptr<Value> Value::CreateNullValue() { return std::make_unique<NullValue>(); }
bool Value::GetAsBoolean(bool*) const { return false; }
bool Value::GetAsInteger(int*) const { return false; }
bool Value::GetAsDouble(double*) const { return false; }
bool Value::GetAsString(std::string*) const { return false; }
std::unique_ptr<Value> Value::DeepCopy() const { return CreateNullValue(); }

FundamentalValue::FundamentalValue(bool value) : Value(TYPE_BOOLEAN), boolean_(value) {}
FundamentalValue::FundamentalValue(int value) : Value(TYPE_INTEGER), integer_(value), double_(value) {}
FundamentalValue::FundamentalValue(double value) : Value(TYPE_DOUBLE), double_(value) {}

bool FundamentalValue::GetAsBoolean(bool* out) const {
  if (!IsType(TYPE_BOOLEAN)) return false;
  *out = boolean_;
  return true;
}
bool FundamentalValue::GetAsInteger(int* out) const {
  if (!IsType(TYPE_INTEGER)) return false;
  *out = integer_;
  return true;
}
bool FundamentalValue::GetAsDouble(double* out) const {
  if (!IsType(TYPE_DOUBLE) && !IsType(TYPE_INTEGER)) return false;
  *out = double_;
  return true;
}
std::unique_ptr<Value> FundamentalValue::DeepCopy() const {
  switch (GetType()) {
    case TYPE_BOOLEAN:
      return std::make_unique<FundamentalValue>(boolean_);
    case TYPE_INTEGER:
      return std::make_unique<FundamentalValue>(integer_);
    default:
      return std::make_unique<FundamentalValue>(double_);
  }
}

StringValue::StringValue(std::string utf8) : Value(TYPE_STRING), value_(std::move(utf8)) {}
bool StringValue::GetAsString(std::string* out) const {
  *out = value_;
  return true;
}
std::unique_ptr<Value> StringValue::DeepCopy() const { return std::make_unique<StringValue>(value_); }

ListValue::ListValue() : Value(TYPE_LIST) {}
void ListValue::Append(std::unique_ptr<Value> value) { items_.push_back(std::move(value)); }
const Value* ListValue::Get(size_t index) const {
  return index < items_.size() ? items_[index].get() : nullptr;
}
std::unique_ptr<Value> ListValue::DeepCopy() const {
  auto copy = std::make_unique<ListValue>();
  for (const auto& item : items_) copy->Append(item->DeepCopy());
  return copy;
}

DictionaryValue::DictionaryValue() : Value(TYPE_DICTIONARY) {}
void DictionaryValue::Set(const std::string& key, std::unique_ptr<Value> value) {
  items_[key] = value ? std::move(value) : CreateNullValue();
}
void DictionaryValue::SetString(const std::string& key, const std::string& utf8) {
  Set(key, std::make_unique<StringValue>(utf8));
}
void DictionaryValue::SetBoolean(const std::string& key, bool value) {
  Set(key, std::make_unique<FundamentalValue>(value));
}
void DictionaryValue::SetInteger(const std::string& key, int value) {
  Set(key, std::make_unique<FundamentalValue>(value));
}
bool DictionaryValue::Get(const std::string& key, const Value** out) const {
  auto it = items_.find(key);
  if (it == items_.end()) return false;
  if (out) *out = it->second.get();
  return true;
}
bool DictionaryValue::GetString(const std::string& key, std::string* out) const {
  const Value* value = nullptr;
  return Get(key, &value) && value->GetAsString(out);
}
bool DictionaryValue::GetBoolean(const std::string& key, bool* out) const {
  const Value* value = nullptr;
  return Get(key, &value) && value->GetAsBoolean(out);
}
bool DictionaryValue::GetInteger(const std::string& key, int* out) const {
  const Value* value = nullptr;
  return Get(key, &value) && value->GetAsInteger(out);
}
bool DictionaryValue::GetDictionary(const std::string& key, const DictionaryValue** out) const {
  const Value* value = nullptr;
  if (!Get(key, &value) || !value->AsDictionary()) return false;
  *out = value->AsDictionary();
  return true;
}
std::unique_ptr<Value> DictionaryValue::DeepCopy() const {
  auto copy = std::make_unique<DictionaryValue>();
  for (const auto& [key, item] : items_) copy->Set(key, item->DeepCopy());
  return copy;
}

Value* JSONReader::Read(const std::string& json) {
  nlohmann::json parsed = nlohmann::json::parse(json, nullptr, /*allow_exceptions=*/false);
  if (parsed.is_discarded()) return nullptr;
  return FromJson(parsed, 0).release();
}

void JSONWriter::WriteWithOptions(const Value& value, int options, std::string* json) {
  const int indent = (options & OPTIONS_PRETTY_PRINT) ? 3 : -1;
  const bool ensure_ascii = !(options & OPTIONS_DO_NOT_ESCAPE);
  *json = ToJson(value).dump(indent, ' ', ensure_ascii, nlohmann::json::error_handler_t::replace);
}

}  // namespace base
