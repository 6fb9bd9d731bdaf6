#pragma once

// Everything the library offers.
#include "net/compress.h"
#include "net/crypto.h"
#include "net/fetch_url.h"
#include "net/net_connect.h"
#include "net/proxy.h"
#include "net/resolve.h"
