#include "silent_uninstall.h"

#include "common/utilfunc.h"
#include "module_path.h"
#include "self_delete.h"
#include "uninstall.h"
#include "worker_thread.h"

SilentUninstallSite RunningProgramSite() {
  SilentUninstallSite site;
  site.installDir = GetModuleDir();
  site.selfPath = GetModulePath();
  site.deleteSelf = DeleteSelf;
  return site;
}

void RunSilentUninstall(const SilentUninstallSite& site) {
  CUninstall worker(nullptr, site.installDir, *site.system);
  KillPathProcess(site.installDir + kAppRelativePath);
  worker.AddExcludedPath(site.selfPath);
  {
    CWorkerThread thread = StartWorkerThread(worker);
    if (thread.Started() && !thread.WaitFor(site.workerBound)) thread.Terminate();
  }
  site.deleteSelf();
}
