# Two commands for a fresh Debian machine (as root, or with sudo):
#   make run    install what is missing, build, start the organiser under Wine
#   make test   install what is missing, build both ways, check the tests'
#               weight, run every test, the sanitized native tests, a fuzz
#               smoke run, the release check
# For a release:
#   make dist           the installer and the portable zip into dist/
#   make release-check  install, run, upgrade, uninstall in a fresh prefix
#   make screenshots    the user guide's pictures into docs/
BUILD ?= build
JOBS ?= $(shell nproc)
# `make fuzz` runs each fuzz target this long; `make test` a few seconds each.
FUZZ_SECONDS ?= 120
FUZZ_SMOKE_SECONDS ?= 3
CMAKE_FLAGS ?= -DQUILLET_WINDOWS=ON -DQUILLET_WERROR=ON

.PHONY: all deps configure build test sanitize fuzz soak run bench clean dist release-check screenshots

all: build

deps:
	@tools/setup-deps.sh $(DEPS_FLAGS)

# The tests also prove that every command they use comes from a package the
# set-up script installs, so a package installed by hand cannot hide a gap.
test: DEPS_FLAGS = --audit

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS) -- --no-print-directory

# The tests' weight is checked first: above 0.36 of the program's lines
# (tools/test-weight.sh) the run stops before the long parts.
test: build
	@tools/test-weight.sh
	@QUILLET_SESSION_DPI=96 tools/wine-session.sh $(BUILD)/wine-test \
	  ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS) -LE soak
	$(run_sanitized)
	@tools/run-fuzz.sh $(BUILD)/fuzz $(FUZZ_SMOKE_SECONDS) $(JOBS)
	@tools/release-check.sh $(BUILD)

# The native tests built with AddressSanitizer and UBSan in a folder of their
# own: any report fails the run.
define run_sanitized
@cmake -S . -B $(BUILD)/asan -DQUILLET_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS=-O1 >/dev/null
@echo "sanitized native tests: building in $(BUILD)/asan"
@cmake --build $(BUILD)/asan -j $(JOBS) --target quillet_tests -- --no-print-directory \
  >$(BUILD)/asan/build.log 2>&1 || { tail -n 40 $(BUILD)/asan/build.log; exit 1; }
@cd $(BUILD)/asan && ./quillet_tests --gtest_brief=1
endef

sanitize: deps
	$(run_sanitized)

# Each fuzz target for FUZZ_SECONDS from its seed corpus; a finding fails.
fuzz: deps
	@tools/run-fuzz.sh $(BUILD)/fuzz $(FUZZ_SECONDS) $(JOBS)

dist: build
	@tools/make-dist.sh $(BUILD) dist

release-check: build
	@tools/release-check.sh $(BUILD)

screenshots: build
	@tools/user-guide-pictures.sh $(BUILD) docs

# The long run, kept out of `make test`: the real program for
# QUILLET_SOAK_MINUTES (30 by default); its figures minute by minute end up
# in $(BUILD)/soak.
soak: build
	@QUILLET_SESSION_DPI=96 tools/wine-session.sh $(BUILD)/wine-test \
	  ctest --test-dir $(BUILD) --output-on-failure -L soak
	@cat $(BUILD)/soak/program_soak.csv

run: build
	@tools/run-quillet.sh $(BUILD)

bench: build
	@cmake --build $(BUILD) --target bench

clean:
	rm -rf $(BUILD) dist
