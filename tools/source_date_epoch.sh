# The time that every file time in a package is set to, so that the same
# source gives the same packages whenever it is built: SOURCE_DATE_EPOCH as
# given, else the last commit's time, or without git the date of the newest
# changelog entry. Source it from the repository's root; it exports
# SOURCE_DATE_EPOCH.
if [[ -z ${SOURCE_DATE_EPOCH:-} ]]; then
  if [[ $(git rev-parse --show-toplevel 2>/dev/null) == "$PWD" ]]; then
    SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
  else
    SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -l packaging/debian/changelog -S Timestamp)
  fi
fi
export SOURCE_DATE_EPOCH
