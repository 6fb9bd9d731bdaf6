#include "base/json.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(JsonTest, ReadsObjectsWithTypedGetters) {
  std::unique_ptr<base::Value> value(
      base::JSONReader::Read(R"({"isSuccess":true,"phoneNo":"138****","count":3,"nested":{"a":"b"}})"));
  ASSERT_TRUE(value);
  const base::DictionaryValue* dict = value->AsDictionary();
  ASSERT_TRUE(dict);
  bool success = false;
  std::string phone;
  int count = 0;
  EXPECT_TRUE(dict->GetBoolean("isSuccess", &success));
  EXPECT_TRUE(success);
  EXPECT_TRUE(dict->GetString("phoneNo", &phone));
  EXPECT_EQ(phone, "138****");
  EXPECT_TRUE(dict->GetInteger("count", &count));
  EXPECT_EQ(count, 3);
  EXPECT_FALSE(dict->GetBoolean("phoneNo", &success)) << "type mismatch is not a bool";
  EXPECT_FALSE(dict->GetString("absent", &phone));
  const base::DictionaryValue* nested = nullptr;
  EXPECT_TRUE(dict->GetDictionary("nested", &nested));
}

TEST(JsonTest, RejectsMalformedAndTooDeepInput) {
  for (const char* text : {"", "{", "{\"a\":}", "nope", "[1,]"}) {
    EXPECT_EQ(base::JSONReader::Read(text), nullptr) << text;
  }
  std::string deep(100000, '[');
  EXPECT_EQ(base::JSONReader::Read(deep + std::string(100000, ']')), nullptr);
  std::unique_ptr<base::Value> array(base::JSONReader::Read("[[1]]"));
  ASSERT_TRUE(array);
  EXPECT_TRUE(array->IsType(base::Value::TYPE_LIST));
}

TEST(JsonTest, WritesCompactSortedUTF8WithOptionOne) {
  base::DictionaryValue dict;
  dict.SetString("uid", "\xE7\x94\xA8\xE6\x88\xB7");
  dict.SetString("clientID", "102");
  dict.SetString("bad", "\xFF");
  std::string json;
  base::JSONWriter::WriteWithOptions(dict, 1, &json);
  EXPECT_EQ(json, "{\"bad\":\"\xEF\xBF\xBD\",\"clientID\":\"102\",\"uid\":\"\xE7\x94\xA8\xE6\x88\xB7\"}");
}

}  // namespace
