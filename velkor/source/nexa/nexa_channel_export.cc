// The exported accessor of the process-wide channel.
#include <mutex>

#include "nexa/nexa_channel.h"
#include "nexalib/nexa_channel.h"

namespace {

// Constant-initialised, so it exists before any static initialiser can ask for the channel.
std::mutex g_instance_lock;
nexalib::CNexaChannel* g_instance = nullptr;  // Guarded by g_instance_lock; never freed

}  // namespace

namespace uauth {

nexalib::INexaChannel* GetNexaChannelInstance() {
  std::lock_guard lock(g_instance_lock);
  if (g_instance == nullptr) g_instance = new nexalib::CNexaChannel(nexalib::DefaultChannelSettings());
  return g_instance;
}

}  // namespace uauth
