# The front door: make run, make test, make bench, make exe, make dist.
# The real build is CMake in build/win64 (the Windows program) and build/native (tests).

WIN64 := build/win64
NATIVE := build/native
JOBS := $(shell nproc 2>/dev/null || echo 2)
PAD_DIR ?= $(HOME)/Quillpad
# The build folders are named where they are built; make's own lines about them are noise.
MAKEFLAGS += --no-print-directory
# CMake takes the toolchain file only when it configures a tree the first time; given to a
# configured tree, it warns that the file went unused.
WIN64_TOOLCHAIN = $(if $(wildcard $(WIN64)/CMakeCache.txt),,-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake)

.PHONY: run test bench exe dist native deps-run deps-test deps-dist fuzz clean

exe: deps-run
	cmake -S . -B $(WIN64) $(WIN64_TOOLCHAIN) -DCMAKE_BUILD_TYPE=Release \
		-DQUILLPAD_DIST_DIR=$(CURDIR)/build/dist
	cmake --build $(WIN64) -j $(JOBS)

# build/dist/Quillpad-VERSION-win64.zip, the version being the CMake project's.
dist: deps-dist exe
	cmake --build $(WIN64) --target dist

native: deps-test
	cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Release -DQUILLPAD_WIN64_DIR=$(CURDIR)/$(WIN64)
	cmake --build $(NATIVE) -j $(JOBS)

run: exe
	scripts/run.sh "$(PAD_DIR)"

test: deps-test exe native
	cd $(NATIVE) && ctest --output-on-failure -j $(JOBS)

# The native benchmarks first, then the real program under Xvfb and Wine.
bench: native exe
	$(NATIVE)/bench/quillpad_bench --benchmark_counters_tabular=true
	bench/wine_bench.sh $(NATIVE) $(WIN64)

fuzz: native
	cd $(NATIVE) && ctest --output-on-failure -R fuzz

deps-run:
	@scripts/install-deps.sh run

deps-test:
	@scripts/install-deps.sh test

deps-dist:
	@scripts/install-deps.sh dist

clean:
	rm -rf build
