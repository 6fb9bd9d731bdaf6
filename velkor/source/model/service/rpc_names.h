// The interface and method names that messages carry on the channel.
#ifndef VELKOR_SOURCE_MODEL_SERVICE_RPC_NAMES_H_
#define VELKOR_SOURCE_MODEL_SERVICE_RPC_NAMES_H_

struct RpcName {
  const char* interface_name;
  const char* method;
};

// Logon calls.
inline constexpr RpcName kRpcLogin{"LogonProxy", "login"};
inline constexpr RpcName kRpcQueryAuthData{"LogonProxy", "queryAuthData"};
inline constexpr RpcName kRpcLogin2{"LogonProxy", "login2"};
inline constexpr RpcName kRpcGetVendomoTokenByBizToken{"LogonProxy", "getVendomoTokenByBizToken"};
// Virtual connections: open, and close in both directions.
inline constexpr RpcName kRpcSessionStart{"ScSession", "start"};
inline constexpr RpcName kRpcSessionStop{"ScSession", "stop"};
// Channel control.
inline constexpr RpcName kRpcExchangeKey{"NexaCore", "exchangeKey"};
inline constexpr RpcName kRpcReconnect{"NexaCore", "reconnect"};
inline constexpr RpcName kRpcRelogin{"NexaCore", "relogin"};  // handled by name; never sent
// Server pushes.
inline constexpr RpcName kRpcRenewLoginSession{"SC", "renewLoginSession"};
inline constexpr RpcName kRpcForceDisconnect{"SC", "forceDisconnect"};  // declared only
// The wrapper whose body holds another message.
inline constexpr RpcName kRpcWrappedBody{"zq", "s"};

#endif  // VELKOR_SOURCE_MODEL_SERVICE_RPC_NAMES_H_
