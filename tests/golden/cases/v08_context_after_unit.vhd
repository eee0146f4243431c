-- A context declaration after another unit: only that unit has the package
-- of the counts in front of it, on the first line.
package p is
end package p;
context c is
  library ieee;
end context c;
