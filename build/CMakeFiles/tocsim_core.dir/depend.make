# Empty dependencies file for tocsim_core.
# This may be replaced when dependencies are built.
