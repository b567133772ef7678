# The two commands for a newcomer are `make run` and `make test`; the other
# targets are for the developers.
BUILD       ?= build
JOBS        ?= $(shell nproc)
CMAKE_FLAGS ?=
GENERATOR   := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")

.PHONY: run test deps configure build bench fuzz asan sample clean format package

deps:
	@scripts/install-deps

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

configure: deps
	cmake -S . -B $(BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

run: build
	@scripts/run-program $(BUILD)

# Speed goals are checked here, never by timed tests.
bench: deps
	cmake -S . -B build-bench $(GENERATOR) -DCMAKE_BUILD_TYPE=Release -DORVANE_BENCH=ON $(CMAKE_FLAGS)
	cmake --build build-bench -j $(JOBS)
	scripts/run-benchmarks build-bench

# The engine's tests under AddressSanitizer and UndefinedBehaviorSanitizer.
asan: deps
	cmake -S . -B build-asan $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DORVANE_SANITIZE=ON -DORVANE_ENGINE_ONLY=ON $(CMAKE_FLAGS)
	cmake --build build-asan -j $(JOBS)
	cd build-asan && ctest --output-on-failure -j $(JOBS)

# Coverage-guided fuzzing of the database, template, vCard and query file readers, each
# for a bounded time.
FUZZ_SECONDS ?= 60
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B build-fuzz $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANE_FUZZ=ON -DORVANE_ENGINE_ONLY=ON
	cmake --build build-fuzz -j $(JOBS) --target fuzz_dbfile fuzz_rtf fuzz_vcard fuzz_queryfile
	scripts/run-fuzz build-fuzz $(FUZZ_SECONDS)

# The Debian package, from a tree of its own built for the prefix /usr with
# Debian's hardening flags: build-package/pellum_VERSION_ARCH.deb
# (scripts/check-package runs lintian on it).
PACKAGE_FLAGS = DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get
package: deps
	CXXFLAGS="$$($(PACKAGE_FLAGS) CPPFLAGS) $$($(PACKAGE_FLAGS) CXXFLAGS)" \
	CFLAGS="$$($(PACKAGE_FLAGS) CPPFLAGS) $$($(PACKAGE_FLAGS) CFLAGS)" \
	LDFLAGS="$$($(PACKAGE_FLAGS) LDFLAGS)" \
	cmake -S . -B build-package $(GENERATOR) -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
	      -DORVANE_PRIVATE_ENGINE=ON $(CMAKE_FLAGS)
	cmake --build build-package -j $(JOBS) --target pellum_installed
	cd build-package && cpack

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) build-bench build-asan build-fuzz build-package
