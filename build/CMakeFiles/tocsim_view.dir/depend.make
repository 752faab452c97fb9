# Empty dependencies file for tocsim_view.
# This may be replaced when dependencies are built.
