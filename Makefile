# The two commands of a fresh machine: `make run` and `make test`.
BUILD ?= build
SAN_BUILD ?= build-sanitize
REL_BUILD ?= build-release
PKG_BUILD ?= build-package
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 30
JOBS ?= $(shell nproc)

.PHONY: deps build run test test-sanitize fuzz release-check package package-check install clean

deps:
	./tools/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKZ7_BUILD_TESTS=ON -DKZ7_WERROR=ON
	cmake --build $(BUILD) -j$(JOBS)

run: build
	./$(BUILD)/bin/kz7 --simulate --data-dir $(BUILD)/run-data \
	  $(or $(KZ7_ARGS),--sim-schedule "4s event 7 2; 8s event 5 2; 12s event 8 2")

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)

test-sanitize: deps
	cmake -S . -B $(SAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DKZ7_SANITIZE=ON -DKZ7_BUILD_BENCH=OFF -DKZ7_WERROR=ON
	cmake --build $(SAN_BUILD) -j$(JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	  ctest --test-dir $(SAN_BUILD) --output-on-failure -j$(JOBS)

# The libFuzzer harnesses of tests/fuzz (clang, ASan, UBSan; the core
# library only, no Qt), each run for FUZZ_SECONDS on a copy of its seeds.
fuzz: deps
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DKZ7_FUZZ=ON
	cmake --build $(FUZZ_BUILD) --target fuzzers -j$(JOBS)
	./tools/run-fuzzers.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

# Builds everything as a distribution package would: Release (-O3), warnings
# not fatal, and Debian's hardening flags (CPPFLAGS go with the compiler
# flags, as debhelper passes them to CMake).
release-check: deps
	cmake -S . -B $(REL_BUILD) -DCMAKE_BUILD_TYPE=Release -DKZ7_WERROR=OFF -DKZ7_BUILD_TESTS=ON \
	  -DCMAKE_CXX_FLAGS="$$(dpkg-buildflags --get CXXFLAGS) $$(dpkg-buildflags --get CPPFLAGS)" \
	  -DCMAKE_EXE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)" \
	  -DCMAKE_SHARED_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)" \
	  -DCMAKE_MODULE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)"
	cmake --build $(REL_BUILD) -j$(JOBS)

# The Debian package, built from a clean copy of the tracked (and new,
# not ignored) files, so that nothing of a build tree ends up in it.
package: deps
	rm -rf $(PKG_BUILD) && mkdir -p $(PKG_BUILD)/kz7
	if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then \
	  git ls-files -z --cached --others --exclude-standard | tar --null -T - -cf - | tar -xf - -C $(PKG_BUILD)/kz7; \
	else \
	  tar --exclude='./build*' --exclude='./obj-*' --exclude='./debian/kz7' --exclude='./.git' -cf - . | tar -xf - -C $(PKG_BUILD)/kz7; \
	fi
	cd $(PKG_BUILD)/kz7 && DEB_BUILD_OPTIONS="parallel=$(JOBS) nocheck" dpkg-buildpackage -us -uc -b
	@ls $(PKG_BUILD)/*.deb

# lintian, the metainfo, the desktop entries, the udev rule, and the unpacked programs.
package-check: package
	./tools/check-package.sh $(PKG_BUILD)/kz7_*.deb

install: build
	cmake --install $(BUILD)

clean:
	rm -rf $(BUILD) $(SAN_BUILD) $(REL_BUILD) $(PKG_BUILD) $(FUZZ_BUILD)
