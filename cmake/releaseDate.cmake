# From the release date OKEL_RELEASE_DATE (YYYY-MM-DD), with CMake's own
# commands: OKEL_RELEASE_TIME, its midnight UTC in seconds since 1970, and
# OKEL_RELEASE_MONTH, its month as the man pages name it ("December 2026").
# Configuration stops on a date that is not a day of the calendar: the time
# formatted back must give the same date.
block(PROPAGATE OKEL_RELEASE_TIME OKEL_RELEASE_MONTH)
if(NOT OKEL_RELEASE_DATE MATCHES "^([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])$")
  message(FATAL_ERROR "OKEL_RELEASE_DATE is '${OKEL_RELEASE_DATE}', not a date YYYY-MM-DD")
endif()
set(year ${CMAKE_MATCH_1})
set(month ${CMAKE_MATCH_2})
set(day ${CMAKE_MATCH_3})
# The days since 1970-01-01 of the Gregorian calendar, its years counted from
# March, so that a leap day ends the year it belongs to.
if(month LESS_EQUAL 2)
  math(EXPR year "${year} - 1")
endif()
math(EXPR days "${year} * 365 + ${year} / 4 - ${year} / 100 + ${year} / 400
                + (153 * ((${month} + 9) % 12) + 2) / 5 + ${day} - 1 - 719468")
math(EXPR OKEL_RELEASE_TIME "${days} * 86400")
# string(TIMESTAMP) formats SOURCE_DATE_EPOCH when it is set: the caller's
# is put back afterwards.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(callersTime $ENV{SOURCE_DATE_EPOCH})
endif()
set(ENV{SOURCE_DATE_EPOCH} ${OKEL_RELEASE_TIME})
string(TIMESTAMP releaseDay "%Y-%m-%d" UTC)
string(TIMESTAMP OKEL_RELEASE_MONTH "%B %Y" UTC)
if(DEFINED callersTime)
  set(ENV{SOURCE_DATE_EPOCH} ${callersTime})
else()
  unset(ENV{SOURCE_DATE_EPOCH})
endif()
if(NOT releaseDay STREQUAL OKEL_RELEASE_DATE)
  message(FATAL_ERROR "OKEL_RELEASE_DATE is '${OKEL_RELEASE_DATE}', not a day of the calendar")
endif()
endblock()
