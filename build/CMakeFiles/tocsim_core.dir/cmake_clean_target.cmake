file(REMOVE_RECURSE
  "libtocsim_core.a"
)
