// ZunBasUtlVersion: the running product edition of the host process.
//
// A process singleton. The edition is the analysis solver unless the host says otherwise with
// SetProduct at start-up; the queries tell which edition runs. The base library that owns it
// creates it at start-up and destroys it at shutdown (so the edition is back to the solver after a
// full restart). Reading and setting are atomic; set it before other threads use it.
#pragma once

#include <atomic>

#include "ddb/platform/omi_Singleton.h"

class ZunBasUtlVersion : public omi_Singleton<ZunBasUtlVersion> {
 public:
  enum Product {
    ProductSolver = 0,  // the analysis program
    ProductOrvel = 1,   // the interactive pre/post-processing edition
    ProductLumet = 2,   // the results-display edition
  };

  ZunBasUtlVersion() = default;

  void SetProduct(Product product) { m_product.store(product); }
  Product GetProduct() const { return m_product.load(); }
  bool IsProductSolver() const { return GetProduct() == ProductSolver; }
  bool IsProductOrvel() const { return GetProduct() == ProductOrvel; }
  bool IsProductLumet() const { return GetProduct() == ProductLumet; }

 private:
  std::atomic<Product> m_product{ProductSolver};
};

// The one slot lives in the library (see omi_Singleton.h).
extern template class omi_Singleton<ZunBasUtlVersion>;
