# Set-up step of the Windows tests, run natively: the folders that hold a Unix
# symbolic link to a folder beside them, which Wine shows as a reparse point.
#   util/tree/outside -> util/outside        e2e/install/linked -> e2e/outside
file(REMOVE_RECURSE ${ROOT})
foreach(case util e2e)
  file(MAKE_DIRECTORY ${ROOT}/${case}/outside/nested)
  file(WRITE ${ROOT}/${case}/outside/keep.txt "keep")
  file(WRITE ${ROOT}/${case}/outside/nested/keep.txt "keep")
endforeach()
file(MAKE_DIRECTORY ${ROOT}/util/tree ${ROOT}/e2e/install)
file(CREATE_LINK ../outside ${ROOT}/util/tree/outside SYMBOLIC)
file(CREATE_LINK ../outside ${ROOT}/e2e/install/linked SYMBOLIC)
