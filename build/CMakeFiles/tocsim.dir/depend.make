# Empty dependencies file for tocsim.
# This may be replaced when dependencies are built.
