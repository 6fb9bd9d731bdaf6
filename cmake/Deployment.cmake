# Deployment values compiled into velkor. The defaults point at loopback so that
# no build of this repository ever contacts another machine; a real deployment
# sets its own values at configure time. Schemes, ports and paths are fixed in
# the code; only hosts, gateway addresses and the key file are chosen here.
set(VELKOR_TEST_LOGIN_HOST "127.0.0.1" CACHE STRING "Host of the test login page (environment 0)")
set(VELKOR_LOGIN_HOST "127.0.0.1" CACHE STRING "Host of the production login page")
set(VELKOR_ALLOT_HOST "127.0.0.1:13080" CACHE STRING "Host (and optional :port) of the gateway address service")
set(VELKOR_TEST_GATEWAY "127.0.0.1" CACHE STRING "IPv4 address of the test gateway (port 13000)")
set(VELKOR_GATEWAY "127.0.0.1" CACHE STRING "IPv4 address of the environment-1 gateway (port 80)")
set(VELKOR_FALLBACK_GATEWAY "127.0.0.1" CACHE STRING "IPv4 address of the production fallback gateway (port 80)")
set(VELKOR_RSA_PUBLIC_KEY_FILE "${CMAKE_SOURCE_DIR}/tools/gateway/keys/public.pem"
    CACHE FILEPATH "PEM public key of the gateway, compiled into velkor")

# The gateway entries become "address:port" texts that the channel connects to
# without resolving, so only dotted IPv4 addresses are accepted.
foreach(gateway VELKOR_TEST_GATEWAY VELKOR_GATEWAY VELKOR_FALLBACK_GATEWAY)
  if(NOT ${gateway} MATCHES "^[0-9]+\\.[0-9]+\\.[0-9]+\\.[0-9]+$")
    message(FATAL_ERROR "${gateway} must be an IPv4 address, not '${${gateway}}'")
  endif()
endforeach()
# Host values end up inside URLs: refuse anything that would change the URL's shape.
foreach(host VELKOR_TEST_LOGIN_HOST VELKOR_LOGIN_HOST VELKOR_ALLOT_HOST)
  if(NOT ${host} MATCHES "^[A-Za-z0-9.:-]+$")
    message(FATAL_ERROR "${host} must be a host name with an optional port, not '${${host}}'")
  endif()
endforeach()
