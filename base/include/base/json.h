// JSON values, reader and writer (backed by nlohmann::json).
//
//   std::unique_ptr<base::Value> v(base::JSONReader::Read(text));
//   const base::DictionaryValue* dict = v ? v->AsDictionary() : nullptr;
//   bool ok = false;
//   if (dict) dict->GetBoolean("isSuccess", &ok);
#ifndef BASE_JSON_H_
#define BASE_JSON_H_

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace base {

class DictionaryValue;
class ListValue;

class Value {
 public:
  enum Type { TYPE_NULL, TYPE_BOOLEAN, TYPE_INTEGER, TYPE_DOUBLE, TYPE_STRING, TYPE_LIST, TYPE_DICTIONARY };

  static std::unique_ptr<Value> CreateNullValue();
  virtual ~Value() = default;
  Value(const Value&) = delete;
  Value& operator=(const Value&) = delete;

  Type GetType() const { return type_; }
  bool IsType(Type type) const { return type_ == type; }

  // Each returns false, leaving *out alone, when the value is of another type.
  virtual bool GetAsBoolean(bool* out) const;
  virtual bool GetAsInteger(int* out) const;
  virtual bool GetAsDouble(double* out) const;
  virtual bool GetAsString(std::string* out) const;
  virtual const DictionaryValue* AsDictionary() const { return nullptr; }
  virtual const ListValue* AsList() const { return nullptr; }
  virtual std::unique_ptr<Value> DeepCopy() const;

 protected:
  explicit Value(Type type) : type_(type) {}

 private:
  const Type type_;
};

class FundamentalValue : public Value {
 public:
  explicit FundamentalValue(bool value);
  explicit FundamentalValue(int value);
  explicit FundamentalValue(double value);

  bool GetAsBoolean(bool* out) const override;
  bool GetAsInteger(int* out) const override;
  bool GetAsDouble(double* out) const override;
  std::unique_ptr<Value> DeepCopy() const override;

 private:
  bool boolean_ = false;
  int integer_ = 0;
  double double_ = 0;
};

class StringValue : public Value {
 public:
  explicit StringValue(std::string utf8);
  bool GetAsString(std::string* out) const override;
  std::unique_ptr<Value> DeepCopy() const override;

 private:
  std::string value_;
};

class ListValue : public Value {
 public:
  ListValue();
  void Append(std::unique_ptr<Value> value);
  size_t GetSize() const { return items_.size(); }
  // Null when out of range.
  const Value* Get(size_t index) const;
  const ListValue* AsList() const override { return this; }
  std::unique_ptr<Value> DeepCopy() const override;

 private:
  std::vector<std::unique_ptr<Value>> items_;
};

class DictionaryValue : public Value {
 public:
  DictionaryValue();

  bool HasKey(const std::string& key) const { return items_.count(key) != 0; }
  size_t size() const { return items_.size(); }
  const std::map<std::string, std::unique_ptr<Value>>& items() const { return items_; }

  // Replaces any value under `key`.
  void Set(const std::string& key, std::unique_ptr<Value> value);
  void SetString(const std::string& key, const std::string& utf8);
  void SetBoolean(const std::string& key, bool value);
  void SetInteger(const std::string& key, int value);

  // False when the key is absent (and, for the typed getters, when the value has
  // another type); *out is then left alone.
  bool Get(const std::string& key, const Value** out) const;
  bool GetString(const std::string& key, std::string* out) const;
  bool GetBoolean(const std::string& key, bool* out) const;
  bool GetInteger(const std::string& key, int* out) const;
  bool GetDictionary(const std::string& key, const DictionaryValue** out) const;

  const DictionaryValue* AsDictionary() const override { return this; }
  std::unique_ptr<Value> DeepCopy() const override;

 private:
  std::map<std::string, std::unique_ptr<Value>> items_;
};

class JSONReader {
 public:
  // Nesting deeper than this is rejected, so hostile input cannot exhaust the stack.
  static constexpr int kMaxDepth = 200;
  // The parsed value, owned by the caller; null for malformed or too deeply nested text.
  static Value* Read(const std::string& json);
};

class JSONWriter {
 public:
  enum Options {
    // Non-ASCII characters are written as UTF-8, not as \u escapes.
    OPTIONS_DO_NOT_ESCAPE = 1 << 0,
    OPTIONS_PRETTY_PRINT = 1 << 2,
  };
  static void Write(const Value& value, std::string* json) { WriteWithOptions(value, 0, json); }
  static void WriteWithOptions(const Value& value, int options, std::string* json);
};

}  // namespace base

#endif  // BASE_JSON_H_
