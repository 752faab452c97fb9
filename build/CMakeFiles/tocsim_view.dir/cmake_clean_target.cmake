file(REMOVE_RECURSE
  "libtocsim_view.a"
)
