-- Types and a constant only: nothing of it is a statement.
package types_pkg is
  type mode is (idle, busy);
  constant start : mode := idle;
end types_pkg;
