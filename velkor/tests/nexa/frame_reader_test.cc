#include "nexa/frame_reader.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "codec/hex.h"
#include "nexa/frame_builder.h"
#include "nexa/frame_header.h"
#include "net/crypto.h"

namespace nexalib {
namespace {

using codec_test::Hex;

struct Message {
  int32_t sessionId;
  std::string _interface;
  std::string _method;
  int callType;
  int64_t seqId;
  std::string body;
  bool operator==(const Message&) const = default;
  friend void PrintTo(const Message& m, std::ostream* out) {
    *out << m.sessionId << " " << m._interface << "/" << m._method << " type " << m.callType
         << " seq " << m.seqId << " body of " << m.body.size();
  }
};

const std::string kKey(16, 'K');

std::string Plain(const Message& m) {
  RpcEnvelope envelope;
  envelope._interface = m._interface;
  envelope._method = m._method;
  envelope.callType = static_cast<uint8_t>(m.callType);
  envelope.seqId = m.seqId;
  return PackMessage(envelope, m.body);
}

std::string Frame(const Message& m, bool encrypt = false) {
  return BuildFrame(m.sessionId, Plain(m), encrypt, kKey);
}

// A frame around `payload` with the given flags, header built by hand.
std::string RawFrame(std::string_view payload, uint8_t flags) {
  FrameHeader header;
  header.flags = flags;
  header.sum16 = Sum16(payload);
  std::string frame;
  header.PackData(frame, payload.size());
  frame.append(payload);
  return frame;
}

class FrameReaderTest : public ::testing::Test {
 protected:
  FrameReaderTest()
      : reader_([this](int32_t sessionId, const RpcEnvelope& e, std::string_view body) {
          received_.push_back({sessionId, e._interface, e._method, e.callType, e.seqId,
                               std::string(body)});
          if (on_message_) on_message_();
        }) {
    reader_.SetSessionKey(kKey);
  }

  void FeedOk(std::string_view bytes) { ASSERT_EQ(reader_.Feed(bytes), FeedResult::kOk); }

  FrameReader reader_;
  std::vector<Message> received_;
  std::function<void()> on_message_;
};

const Message kRequest{3, "NexaCore", "exchangeKey", kCallRequest, 4, "body"};
const Message kPush{9, "SC", "renewLoginSession", kCallNotify, 0, std::string(300, 'p')};

TEST_F(FrameReaderTest, SkipsKeepalivesAndDeliversFramesInOrder) {
  int keepalives = 0;
  reader_.SetKeepaliveSink([&] { ++keepalives; });
  FeedOk(Hex("00 00 00") + Frame(kRequest) + Frame(kPush) + Hex("00"));
  EXPECT_EQ(received_, (std::vector<Message>{kRequest, kPush}));
  EXPECT_EQ(reader_.BufferedBytes(), 0u);
  EXPECT_EQ(keepalives, 4);

  // One right behind the end of a frame that came in two reads.
  const std::string frame = Frame(kRequest);
  FeedOk(frame.substr(0, 5));
  FeedOk(frame.substr(5) + Hex("00"));
  EXPECT_EQ(keepalives, 5);
  EXPECT_EQ(received_.size(), 3u);
}

TEST_F(FrameReaderTest, DeliversASplitFrameOnceWhenItsLastByteArrives) {
  const std::string bytes = Frame(kRequest) + Frame(kPush, true);
  const size_t firstEnd = Frame(kRequest).size();
  for (size_t i = 0; i < bytes.size(); ++i) {
    FeedOk(bytes.substr(i, 1));
    EXPECT_EQ(received_.size(), i + 1 < firstEnd ? 0u : i + 1 < bytes.size() ? 1u : 2u) << i;
  }
  EXPECT_EQ(received_, (std::vector<Message>{kRequest, kPush}));

  // A read that ends one frame and starts the next.
  received_.clear();
  FeedOk(bytes.substr(0, firstEnd + 3));
  FeedOk(bytes.substr(firstEnd + 3));
  EXPECT_EQ(received_, (std::vector<Message>{kRequest, kPush}));
}

TEST_F(FrameReaderTest, DecryptsAndDecompresses) {
  const Message big{1, "LogonProxy", "login", kCallResponse, 77, std::string(100000, 'z')};
  FeedOk(Frame(big, true) + Frame(kPush, false) + Frame(kRequest, true));
  EXPECT_EQ(received_, (std::vector<Message>{big, kPush, kRequest}));
}

TEST_F(FrameReaderTest, UnwrapsTheWrappedPair) {
  const Message wrapped{2, "zq", "s", kCallNotify, 0, WrapBody("inner")};
  const Message broken{2, "zq", "s", kCallNotify, 0, "not a record"};
  FeedOk(Frame(wrapped) + Frame(broken));
  ASSERT_EQ(received_.size(), 2u);
  EXPECT_EQ(received_[0].body, "inner");
  EXPECT_EQ(received_[1].body, "") << "a failed unwrap still delivers, with an empty body";
}

TEST_F(FrameReaderTest, DeliversAnInterfaceOnlyEnvelopeAsNotification) {
  FeedOk(RawFrame(Hex("01 40 02 69 66") + "rest", 0));
  EXPECT_EQ(received_, (std::vector<Message>{{0, "if", "", kCallNotify, 0, "rest"}}));
}

// Each bad frame is followed by a good one, which must still arrive.
TEST_F(FrameReaderTest, DropsBadFramesAndReadsOn) {
  std::string wrongCheck = Frame(kRequest);
  wrongCheck[5] ^= 0x01;
  std::string tampered = Frame(kRequest, true);
  ASSERT_FALSE(tampered.empty());
  tampered.back() ^= 0x01;
  FrameReader otherKey([](int32_t, const RpcEnvelope&, std::string_view) {});
  const std::string plainRequest = Plain(kRequest);
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"two-byte zero length is not a keepalive", Hex("80 00")},
      {"header does not fit", Hex("02 00 00")},
      {"wrong check byte", wrongCheck},
      {"tampered ciphertext", tampered},
      {"encrypted under another key", BuildFrame(3, plainRequest, true, std::string(16, 'x'))},
      {"encrypted flag on plain bytes", RawFrame(plainRequest, kFrameEncrypted)},
      {"compressed flag on plain bytes", RawFrame(plainRequest, kFrameCompressed)},
      {"compressed flag without length", RawFrame("", kFrameCompressed)},
      {"envelope that does not unpack", RawFrame(Hex("00"), 0)},
      {"empty payload", RawFrame("", 0)},
  };
  for (const auto& c : cases) {
    received_.clear();
    FeedOk(c.bytes + Frame(kPush));
    EXPECT_EQ(received_, (std::vector<Message>{kPush})) << c.name;
  }
}

TEST_F(FrameReaderTest, ReportsABrokenStreamForLengthsAboveTheCap) {
  const std::string declaredTooLong = Hex("81 80 80 08");  // 16 MiB + 1
  const std::string endlessLength(10, '\x80');
  const std::string inflatesTooFar = Hex("81 80 80 08") + "junk";  // uncompressed length 16 MiB + 1
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"frame length", declaredTooLong},
      {"length varint that does not end", endlessLength},
      {"uncompressed length", RawFrame(inflatesTooFar, kFrameCompressed)},
      {"uncompressed length, encrypted",
       RawFrame(net::AesEncode(kKey, inflatesTooFar), kFrameEncrypted | kFrameCompressed)},
  };
  for (const auto& c : cases) {
    received_.clear();
    EXPECT_EQ(reader_.Feed(Frame(kRequest) + c.bytes + Frame(kPush)), FeedResult::kBrokenStream)
        << c.name;
    EXPECT_EQ(received_, (std::vector<Message>{kRequest})) << c.name;
    EXPECT_EQ(reader_.BufferedBytes(), 0u) << c.name;
  }
}

TEST_F(FrameReaderTest, WaitsForAFrameOfTheLargestLength) {
  FeedOk(Hex("80 80 80 08") + "x");  // exactly 16 MiB declared
  EXPECT_EQ(reader_.BufferedBytes(), 5u);
  FeedOk(Hex("00"));
  EXPECT_EQ(reader_.BufferedBytes(), 6u);
  EXPECT_TRUE(received_.empty());
}

TEST_F(FrameReaderTest, SinkMayResetOrChangeTheKeyMidStream) {
  on_message_ = [this] { reader_.SetSessionKey(std::string(16, 'n')); };
  const std::string underNewKey = BuildFrame(kPush.sessionId, Plain(kPush), true, std::string(16, 'n'));
  FeedOk(Frame(kRequest, true) + underNewKey);
  EXPECT_EQ(received_, (std::vector<Message>{kRequest, kPush}));

  received_.clear();
  reader_.SetSessionKey(kKey);
  on_message_ = [this] { reader_.Reset(); };
  const std::string partial = Frame(kPush).substr(0, 10);
  FeedOk(Frame(kRequest) + Frame(kPush) + partial);
  EXPECT_EQ(received_, (std::vector<Message>{kRequest})) << "the reset stops the rest";
  EXPECT_EQ(reader_.BufferedBytes(), 0u);

  // The same from a buffered partial frame.
  received_.clear();
  const std::string request = Frame(kRequest);
  FeedOk(request.substr(0, 4));
  FeedOk(request.substr(4) + Frame(kPush));
  EXPECT_EQ(received_, (std::vector<Message>{kRequest}));
  EXPECT_EQ(reader_.BufferedBytes(), 0u);
}

}  // namespace
}  // namespace nexalib
